#pragma once
// Playing a recording back: each frame strikes, per pad slot, the next event
// whose time has come (at most one per slot and frame, so events that share
// a time play on consecutive frames). A pad slot whose record enables
// secondaries holds the pedal's presses and releases: each one inverts
// secondariesHeld, and from version 3 on a press is heard. Main thread.
#include <cstdint>

#include "backline/pads/pad_hits.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"

struct Player {
  bool started = false;
  uint32_t startTime = 0;  // GetTimeMs when playback began
  int cursor[kPlrPadSlots] = {};
  bool switchedKits = false;  // the drum set shows the recording's kit count, not the one in use
};

// Puts a loaded recording's samples on the pads: each path is looked up in
// the bank (one not there leaves its pad slot unassigned). The functions are
// left alone: the player reads the recording's flags instead.
void ApplyRecordingSamples(const plrInfo& recording, const SampleBank& bank, PadAssignment* assignment);

// The recording's twenty volumes, in file order, clamped into 0..1.
void ApplyRecordingVolumes(const plrInfo& recording, PadVolumes* volumes);

// The kit count the drum set shows for a recording made with kitCount kits: 1 or 2.
unsigned RecordingKits(int32_t kitCount);

// One frame at elapsed ms since the start: strikes what is due and returns it in out.
void PlayDueEvents(Player* player, const plrInfo& recording, uint32_t elapsed, const PadAssignment& assignment,
                   const PadVolumes& volumes, bool* secondariesHeld, FrameStrikes* out);
