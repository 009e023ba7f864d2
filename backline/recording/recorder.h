#pragma once
// The live recording of the Record screen: ten tracks of event times, one per
// pad slot, in milliseconds since the first controller button went down. The
// tracks reserve room for kPlrTrackCapacity events each when the recording
// starts, so storing a hit never allocates; a full track stores nothing more.
// Main thread, once per frame.
#include <cstdint>
#include <vector>

#include "backline/pads/pad_hits.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"

struct Recorder {
  bool started = false;
  uint32_t startTime = 0;  // GetTimeMs at the start
  std::vector<int32_t> liveTrack[kPlrPadSlots];
  int32_t length = 0;  // time of the last event
};

// What a frame of recording reads and plays with; secondariesHeld is the
// application's modifier state, which the pedal changes.
struct RecordPlay {
  const PadMap* map;
  const PadAssignment* assignment;
  const PadVolumes* volumes;
  bool* secondariesHeld;
};

// One frame of the kit: kits below both two and the number of controllers,
// buttons 0..4. The first controller button down starts the recording at now
// (when its tracks cannot be reserved, a log line, and it stays idle). A
// bass pedal with EnableSecondaries records its presses and releases and
// sounds its primary on the press; every other hit plays as in Free Play and
// is recorded on its pad slot. Returns the strikes played in out.
void RecordPadHits(Recorder* recorder, HitState* hits, const RecordPlay& play, const CInput* input, uint32_t now,
                   FrameStrikes* out);

// Stores an event at now on padSlot, once started and while its track has room.
void RecordEvent(Recorder* recorder, int padSlot, uint32_t now);

// The sample paths, functions and volumes in force when a recording is taken.
struct RecordingSetup {
  const SampleBank* bank;
  const PadAssignment* assignment;
  const PadVolumes* volumes;
  unsigned kitCount;
};

// Ends the recording into out (a version 3 recording); the tracks move there.
void TakeRecording(Recorder* recorder, const RecordingSetup& setup, plrInfo* out);

// Ends the recording and frees its tracks.
void DropRecording(Recorder* recorder);

// Frees every track of recording (a recording is played or saved once).
void ReleaseTracks(plrInfo* recording);

// A time as the screens' timers show it, "%2d:%2d:%d".
struct TimerText {
  int minutes, seconds, tenths;
};
TimerText SplitTime(uint32_t ms);
