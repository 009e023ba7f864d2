#include "backline/scene/drum_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/engine_fixture.h"

namespace {

void ExpectColour(const DrumSet& set, unsigned slot, float r, float g, float b) {
  EXPECT_FLOAT_EQ(set.subsetColours[slot][0], r) << "slot " << slot;
  EXPECT_FLOAT_EQ(set.subsetColours[slot][1], g) << "slot " << slot;
  EXPECT_FLOAT_EQ(set.subsetColours[slot][2], b) << "slot " << slot;
}

TEST(DrumSetTest, EachPadFlashesInItsOwnColour) {
  DrumSet set;
  for (unsigned slot = 5; slot < 10; ++slot) set.FlashPadSlot(slot);
  ExpectColour(set, 5, 1.0f, 0.0f, 0.0f);
  ExpectColour(set, 6, 0.6f, 0.6f, 0.0f);
  ExpectColour(set, 7, 0.0f, 0.0f, 1.0f);
  ExpectColour(set, 8, 0.0f, 1.0f, 0.0f);
  ExpectColour(set, 9, 1.0f, 0.5f, 0.0f);
  ExpectColour(set, 0, 1.0f, 1.0f, 1.0f);  // the other kit rests
  EXPECT_EQ(set.subsetColours[5][3], 1.0f);
}

TEST(DrumSetTest, AFlashFadesBackWithinFourTenthsOfASecond) {
  DrumSet set;
  set.FlashPadSlot(6);
  for (int frame = 0; frame < 12; ++frame) set.FadeFlashes(1.0f / 60.0f);
  EXPECT_NEAR(set.subsetColours[6][2], 0.5f, 1e-5f);
  set.FlashPadSlot(6);  // struck again while fading: starts over
  ExpectColour(set, 6, 0.6f, 0.6f, 0.0f);
  for (int frame = 0; frame < 24; ++frame) set.FadeFlashes(1.0f / 60.0f);
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_GE(set.subsetColours[6][channel], 1.0f) << channel;
    EXPECT_LT(set.subsetColours[6][channel], 1.0f + 2.5f / 60.0f) << channel;
  }
}

class DrumSetVolumeTest : public test::EngineFixture {};

TEST_F(DrumSetVolumeTest, VolumesStayWithinRangeAndResetWithTheKitCount) {
  DrumSet set;
  set.SetPadVolume(0, -0.5f);
  set.SetPadVolume(1, 7.0f);
  set.SetPadVolume(2, 0.25f);
  set.SetPadVolume(2, std::numeric_limits<float>::quiet_NaN());
  set.SetPadVolume(19, 0.5f);
  EXPECT_EQ(set.GetPadVolume(0), 0.0f);
  EXPECT_EQ(set.GetPadVolume(1), 1.0f);
  EXPECT_EQ(set.GetPadVolume(2), 0.25f);
  set.position = {1.0f, 2.0f, 3.0f};

  EXPECT_FALSE(set.SetKitCount(2));  // no meshes loaded here
  EXPECT_NE(LogText().find("\"drumset2.gmsh\" not found"), std::string::npos) << LogText();
  EXPECT_EQ(set.GetKitCount(), 2u);
  EXPECT_EQ(set.position.x, 0.0f);
  for (unsigned slot = 0; slot < DrumSet::kNumSoundSlots; ++slot) EXPECT_EQ(set.GetPadVolume(slot), 1.0f) << slot;
}

}  // namespace
