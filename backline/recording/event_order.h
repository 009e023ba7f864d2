#pragma once
// A recording's events one at a time, as playback hears them: in time order
// across the pad slots (equal times in pad slot order), each track's events
// in their order. A pad slot whose record enables secondaries holds the
// pedal's presses and releases: each one switches the recording's own
// modifier, which chooses the other pads' secondary samples, and from
// version 3 on a press is heard. Shared by playback and the MIDI export;
// any thread, nothing allocated.
#include <array>
#include <cstdint>

#include "backline/recording/plr_file.h"

// Where one pass over the recording's events stands.
struct EventCursor {
  int next[kPlrPadSlots] = {};
  bool secondariesHeld = false;  // the recording's modifier at this point
};

// Whether each pad slot has a secondary sample to play while the modifier is held.
using SecondaryPads = std::array<bool, kPlrPadSlots>;

struct RecordedEvent {
  int slot = -1;  // the pad slot; -1: no event left up to the limit
  int32_t ms = 0;
  bool heard = false;      // a strike, or a modifier pedal's press from version 3 on
  bool secondary = false;  // a strike that plays its pad slot's secondary
  float velocity = 1.0f;   // its recorded strength
};

// Takes the next event whose time is lastMs or earlier, moving the cursor
// and its modifier on; slot -1 when there is none.
RecordedEvent TakeRecordedEvent(const Recording& recording, const SecondaryPads& secondaries, EventCursor* cursor,
                                int64_t lastMs);
