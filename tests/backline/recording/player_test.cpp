#include "backline/recording/player.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "basalt/foundation/clock.h"
#include "tests/backline/pads/fake_sound.h"

namespace {

constexpr Basalt::TimeNs kStart = 5000 * Basalt::kNsPerMs;

// A frame of playback every frameMs up to untilMs (ms since the start); the
// notes the player handed the audio clock, and the flashes of each frame.
struct Playback {
  test::FakeSound sound;
  PadAssignment assignment;
  PadVolumes volumes;
  VelocityLayers layers;
  Player player;
  std::string flashes;

  void Run(const Recording& recording, int frameMs, int untilMs) {
    player.startTime = kStart;
    for (int ms = 0; ms <= untilMs; ms += frameMs) {
      FrameStrikes strikes;
      PlayDueEvents(&player, recording, kStart + ms * Basalt::kNsPerMs, {assignment, volumes, layers}, &strikes);
      for (int i = 0; i < strikes.count; ++i)
        flashes += std::to_string(strikes.strikes[i].padSlot) + "@" + std::to_string(ms) + " ";
    }
  }
};

// Slow frames: every note keeps its own millisecond, handed over ahead of
// time and in time order across the pad slots; flashes follow on the frame.
TEST(PlayerTest, NotesKeepTheirTimesWhateverTheFramesAndFlashWhenTheirTimeHasCome) {
  Recording recording;
  recording.pads[4].enablesSecondaries = true;
  recording.tracks[0] = {300, 1000, 1000, 1000};
  recording.tracks[1] = {301};
  recording.tracks[4] = {250, 700};  // the pedal's press and release
  Playback playback;
  playback.assignment.secondary[0] = 3;
  playback.volumes.Set(10, 0.5f);
  playback.Run(recording, 100, 1200);
  EXPECT_EQ(playback.sound.Log(),
            "play 4 1.00 @5250\n"   // the press is heard, the release is not
            "play 10 0.50 @5300\n"  // the pedal is down: red plays its secondary
            "play 1 1.00 @5301\n"
            "play 0 1.00 @6000\nplay 0 1.00 @6000\nplay 0 1.00 @6000\n");
  EXPECT_EQ(playback.flashes, "4@300 0@300 1@400 0@1000 0@1000 0@1000 ");
}

// Each event at its own strength, through the curve in force; a recording
// without velocities plays at full strength.
TEST(PlayerTest, EventsPlayAtTheirRecordedStrength) {
  Recording recording;
  recording.tracks[0] = {100, 200};
  recording.tracks[2] = {150};
  recording.velocities[0] = {0.5f, 1.0f};
  recording.velocities[2] = {0.0f};
  Playback playback;
  playback.volumes.Set(0, 0.8f);
  playback.Run(recording, 50, 300);
  EXPECT_EQ(playback.sound.Log(), "play 0 0.26 @5100 v0.50\nplay 2 0.10 @5150 v0.00\nplay 0 0.80 @5200\n");

  for (std::vector<float>& track : recording.velocities) track.clear();
  Playback full;
  full.Run(recording, 50, 300);
  EXPECT_EQ(full.sound.Log(), "play 0 1.00 @5100\nplay 2 1.00 @5150\nplay 0 1.00 @5200\n");
}

TEST(PlayerTest, AVersion2PedalSwitchesTheSecondariesWithoutBeingHeard) {
  Recording recording;
  recording.version = 2;
  recording.pads[4].enablesSecondaries = true;
  recording.tracks[4] = {100, 600};
  recording.tracks[0] = {300};
  Playback playback;
  playback.assignment.secondary[0] = 1;
  playback.Run(recording, 10, 700);
  EXPECT_EQ(playback.sound.Played(), "10");
  EXPECT_EQ(playback.flashes, "0@300 ");
}

// The pads playback plays on: the user's sound slots are loaded only when it begins.
TEST(PlayerTest, ARecordingsPadsNameItsOwnSamplesAndLoadNothing) {
  static SampleBank bank;
  std::snprintf(bank.paths[2], SampleBank::kFieldSize, "SampleBank\\Snares\\a.wav");
  bank.count[Snares] = 3;
  Recording recording;
  std::snprintf(recording.pads[0].primary, kPlrPathField, "samplebank\\snares\\A.WAV");
  std::snprintf(recording.pads[1].secondary, kPlrPathField, "SampleBank\\Snares\\gone.wav");
  recording.pads[4].enablesSecondaries = true;
  test::FakeSound sound;
  const PadAssignment pads = RecordingPads(recording, bank);
  EXPECT_EQ(pads.primary[0], 2);
  EXPECT_TRUE(PadSampleMissing(pads, 1, SecondarySample));
  EXPECT_TRUE(PadEnablesSecondaries(pads, 4));
  EXPECT_EQ(sound.Count(), 0);
}

TEST(PlayerTest, TheStoredOrderWinsForTheRepeatedVolumesAndValuesAreClamped) {
  Recording recording;
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
