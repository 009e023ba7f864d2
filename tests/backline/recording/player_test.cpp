#include "backline/recording/player.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/backline/pads/fake_sound.h"

namespace {

// The version 3 pedal and events sharing a time are played end to end
// (tests/e2e/recording_test.cpp).
TEST(PlayerTest, AVersion2PedalSwitchesTheSecondariesWithoutBeingHeard) {
  test::FakeSound sound;
  PadAssignment assignment;
  assignment.secondary[0] = 1;
  plrInfo recording;
  recording.version = 2;
  recording.pads[4].enablesSecondaries = true;
  recording.tracks[4] = {100, 600};
  recording.tracks[0] = {300};
  Player player;
  PadVolumes volumes;
  bool secondariesHeld = false;
  FrameStrikes strikes;
  for (uint32_t elapsed = 0; elapsed <= 700; elapsed += 100)
    PlayDueEvents(&player, recording, elapsed, assignment, volumes, &secondariesHeld, &strikes);
  EXPECT_EQ(sound.Played(), "10");
  EXPECT_FALSE(secondariesHeld);
}

TEST(PlayerTest, TheStoredOrderWinsForTheRepeatedVolumesAndValuesAreClamped) {
  plrInfo recording;
  for (int k = 0; k < kPlrVolumes; ++k) recording.volumes[k] = 0.05f * static_cast<float>(k);
  recording.volumes[0] = 3.0f;
  PadVolumes volumes;
  ApplyRecordingVolumes(recording, &volumes);
  EXPECT_EQ(volumes.volume[0], 1.0f);
  EXPECT_FLOAT_EQ(volumes.volume[5], 0.5f);    // entry 10, not entry 5
  EXPECT_FLOAT_EQ(volumes.volume[14], 0.95f);  // entry 19
  EXPECT_EQ(volumes.volume[15], 1.0f);         // never stored
}

}  // namespace
