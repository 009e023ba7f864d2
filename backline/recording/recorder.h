#pragma once
// The live recording of the Record screen: ten tracks of event times, one per
// pad slot, in milliseconds since the first strike, each taken from the
// strike's own time (when the input thread saw it), not from the frame that
// learned of it, and beside each track its events' strengths. The tracks
// reserve room for kPlrTrackCapacity events each when the recording starts,
// so storing a strike never allocates; a full track stores nothing more.
// Main thread.
#include <cstdint>
#include <vector>

#include "backline/pads/pad_hits.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"
#include "basalt/foundation/clock.h"

// As a listener of the instrument it records every strike it hears (RecordStrike).
struct Recorder final : StrikeListener {
  void OnStrike(const StrikeReport& strike) override;

  bool started = false;
  Basalt::TimeNs startTime = 0;  // the first strike's time
  std::vector<int32_t> liveTrack[kPlrPadSlots];
  std::vector<float> liveVelocity[kPlrPadSlots];  // each event's strength, as long as its track
  int32_t length = 0;                             // time of the last event
};

// One strike or modifier release of the kit, in the order they happened. The
// first strike starts the recording at its time (when the tracks cannot be
// reserved, a log line, and it stays idle); every report is then stored on
// its pad slot at its time with its strength: a modifier pedal's presses and
// releases, every other pad's strikes.
void RecordStrike(Recorder* recorder, const StrikeReport& strike);

// Stores an event at time with velocity on padSlot, once started and while
// its track has room.
void RecordEvent(Recorder* recorder, int padSlot, Basalt::TimeNs time, float velocity);

// The sample paths, functions and volumes in force when a recording is taken.
struct RecordingSetup {
  const SampleBank* bank;
  const PadAssignment* assignment;
  const PadVolumes* volumes;
  unsigned kitCount;
};

// Ends the recording into out (a version 3 recording with velocities); the
// tracks and their strengths move there.
void TakeRecording(Recorder* recorder, const RecordingSetup& setup, Recording* out);

// Ends the recording and frees its tracks.
void DropRecording(Recorder* recorder);

// Frees every track of recording and its velocities (a recording is played
// or saved once).
void ReleaseTracks(Recording* recording);

// A time as the screens' timers show it, "%2d:%2d:%d".
struct TimerText {
  int minutes, seconds, tenths;
};
TimerText SplitTime(uint32_t ms);
