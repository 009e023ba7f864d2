#include "backline/scene/drum_set.h"

#include <gtest/gtest.h>

#include "tests/support/engine_fixture.h"

namespace {

TEST(DrumSetTest, AStruckPadSlotFlashesItsSubsetAndFadesBackWithinFourTenthsOfASecond) {
  DrumSet set;
  set.FlashPadSlot(6);  // kit 1's yellow tom
  for (int frame = 0; frame < 12; ++frame) set.FadeFlashes(1.0f / 60.0f);
  EXPECT_NEAR(set.subsetColours[6][2], 0.5f, 1e-5f);
  set.FlashPadSlot(6);  // struck again while fading: starts over
  EXPECT_FLOAT_EQ(set.subsetColours[6][0], 0.6f);
  EXPECT_FLOAT_EQ(set.subsetColours[6][1], 0.6f);
  EXPECT_FLOAT_EQ(set.subsetColours[6][2], 0.0f);
  EXPECT_EQ(set.subsetColours[1][2], 1.0f);  // kit 0's yellow tom rests
  for (int frame = 0; frame < 24; ++frame) set.FadeFlashes(1.0f / 60.0f);
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_GE(set.subsetColours[6][channel], 1.0f) << channel;
    EXPECT_LT(set.subsetColours[6][channel], 1.0f + 2.5f / 60.0f) << channel;
  }
  EXPECT_EQ(set.subsetColours[6][3], 1.0f);
}

class DrumSetKitTest : public test::EngineFixture {};

TEST_F(DrumSetKitTest, ANewKitCountSaysWhenItsMeshIsMissing) {
  DrumSet set;
  set.position = {1.0f, 2.0f, 3.0f};
  EXPECT_FALSE(set.SetKitCount(2));  // no meshes loaded here
  EXPECT_NE(LogText().find("\"drumset2.gmsh\" not found"), std::string::npos) << LogText();
  EXPECT_EQ(set.GetKitCount(), 2u);
  EXPECT_EQ(set.position.x, 0.0f);
}

// As the instrument's listener: a strike flashes its pad slot, a modifier
// pedal's release shows nothing.
TEST(DrumSetTest, HearsStrikesButNotAPedalsRelease) {
  DrumSet set;
  set.OnStrike({StrikeReport::ModifierReleased, 0, BassPedal, BassPedal, false, 0, 1.0f});
  EXPECT_EQ(set.subsetColours[BassPedal][1], 1.0f);
  set.OnStrike({StrikeReport::Strike, 1, RedPad, PadSlotOf(1, RedPad), false, 0, 1.0f});
  EXPECT_EQ(set.subsetColours[PadSlotOf(1, RedPad)][1], 0.0f);
}

}  // namespace
