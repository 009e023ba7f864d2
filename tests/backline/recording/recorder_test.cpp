#include "backline/recording/recorder.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr Basalt::TimeNs Ms(int64_t ms) { return ms * Basalt::kNsPerMs; }

// The strikes' own times, not the frames that report them, make the recording,
// and each keeps its strength.
TEST(RecorderTest, TheFirstStrikeStartsItAndEveryReportIsStoredAtItsOwnTime) {
  Recorder recorder;
  RecordStrike(&recorder, {StrikeReport::ModifierReleased, 0, 4, 4, false, Ms(900), 1.0f});  // before the start
  const StrikeReport strikes[] = {{StrikeReport::Strike, 0, 4, 4, false, Ms(1000), 1.0f},
                                  {StrikeReport::Strike, 0, 1, 0, true, Ms(1000) + 999999, 0.3f},
                                  {StrikeReport::Strike, 1, 1, 5, false, Ms(1001), 0.75f},
                                  {StrikeReport::ModifierReleased, 0, 4, 4, false, Ms(1250), 1.0f}};
  for (const StrikeReport& strike : strikes) RecordStrike(&recorder, strike);
  EXPECT_EQ(recorder.liveTrack[4], (std::vector<int32_t>{0, 250}));
  EXPECT_EQ(recorder.liveTrack[0], (std::vector<int32_t>{0}));  // 0.999999 ms
  EXPECT_EQ(recorder.liveTrack[5], (std::vector<int32_t>{1}));
  EXPECT_EQ(recorder.liveVelocity[4], (std::vector<float>{1.0f, 1.0f}));
  EXPECT_EQ(recorder.liveVelocity[0], (std::vector<float>{0.3f}));
  EXPECT_EQ(recorder.liveVelocity[5], (std::vector<float>{0.75f}));
  EXPECT_EQ(recorder.length, 250);
  DropRecording(&recorder);
}

TEST(RecorderTest, EventsAreTimedFromTheStartAndAFullTrackStoresNoMore) {
  Recorder recorder;
  RecordEvent(&recorder, 0, Ms(500), 1.0f);  // not started: nothing to store it in
  EXPECT_TRUE(recorder.liveTrack[0].empty());
  recorder.started = true;
  recorder.startTime = Ms(1000);
  recorder.liveTrack[3].assign(kPlrTrackCapacity - 1, 0);
  recorder.liveVelocity[3].assign(kPlrTrackCapacity - 1, 1.0f);
  RecordEvent(&recorder, 3, Ms(1250), 0.5f);
  RecordEvent(&recorder, 3, Ms(1300), 0.25f);
  EXPECT_EQ(recorder.liveTrack[3].size(), kPlrTrackCapacity);
  EXPECT_EQ(recorder.liveVelocity[3].size(), kPlrTrackCapacity);
  EXPECT_EQ(recorder.liveTrack[3].back(), 250);
  EXPECT_EQ(recorder.liveVelocity[3].back(), 0.5f);
  EXPECT_EQ(recorder.length, 250);
}

TEST(RecorderTest, ATakenRecordingHoldsTheSetupAndTheTracksLeaveTheRecorder) {
  static SampleBank bank;
  std::snprintf(bank.paths[3], SampleBank::kFieldSize, "SampleBank\\Snares\\a.wav");
  bank.count[Snares] = 4;
  PadAssignment assignment;
  assignment.primary[2] = 3;
  assignment.function[9] = EnableSecondaries;
  PadVolumes volumes;
  volumes.volume[7] = 0.25f;
  Recorder recorder;
  recorder.started = true;
  recorder.length = 40;
  recorder.liveTrack[2] = {0, 40};
  recorder.liveVelocity[2] = {0.5f, 1.0f};
  Recording recording;
  TakeRecording(&recorder, RecordingSetup{&bank, &assignment, &volumes, 2}, &recording);
  EXPECT_FALSE(recorder.started);
  EXPECT_TRUE(recorder.liveTrack[2].empty());
  EXPECT_TRUE(recorder.liveVelocity[2].empty());
  EXPECT_EQ(recording.tracks[2], (std::vector<int32_t>{0, 40}));
  EXPECT_EQ(recording.velocities[2], (std::vector<float>{0.5f, 1.0f}));
  EXPECT_STREQ(recording.pads[2].primary, "SampleBank\\Snares\\a.wav");
  EXPECT_STREQ(recording.pads[2].secondary, "");
  EXPECT_TRUE(recording.pads[9].enablesSecondaries);
  EXPECT_EQ(recording.kitCount, 2);
  EXPECT_EQ(recording.length, 40);
  EXPECT_EQ(recording.volumes[7], 0.25f);
}

TEST(RecorderTest, OnlyFunctionOneIsRecordedAsAModifierPedal) {
  static SampleBank bank;
  PadAssignment assignment;
  assignment.function[3] = EnableSecondaries;
  assignment.function[4] = 2;
  assignment.function[9] = -1;
  PadVolumes volumes;
  Recorder recorder;
  Recording recording;
  TakeRecording(&recorder, RecordingSetup{&bank, &assignment, &volumes, 2}, &recording);
  EXPECT_TRUE(recording.pads[3].enablesSecondaries);
  EXPECT_FALSE(recording.pads[4].enablesSecondaries);
  EXPECT_FALSE(recording.pads[9].enablesSecondaries);
}

TEST(RecorderTest, TheTimerShowsMinutesSecondsAndTenths) {
  const TimerText timer = SplitTime(754321);
  EXPECT_EQ(timer.minutes, 12);
  EXPECT_EQ(timer.seconds, 34);
  EXPECT_EQ(timer.tenths, 3);
}

}  // namespace
