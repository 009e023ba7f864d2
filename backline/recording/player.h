#pragma once
// Playing a recording back on the audio clock. The player hands the audio
// thread every event up to kPlaybackLookahead ahead of time, each stamped
// with the playback's start plus the event's milliseconds, so the notes
// start at their own samples whatever the frames do; a listener (the
// program's instrument) hears each event on the frame its time has come. Events come in the order
// event_order.h takes them, with the recording's own modifier. Each event plays
// at its recorded strength, or at full strength when the recording has no
// velocities. The recording plays on pads and volumes of its own: the user's assignment, volumes and
// modifier are not touched. Main thread.
#include <cstdint>

#include "backline/pads/pad_hits.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/event_order.h"
#include "backline/recording/plr_file.h"
#include "basalt/foundation/clock.h"

// How far ahead of its time an event is handed to the audio clock: longer
// than any frame the program survives, short enough to stop promptly.
constexpr Basalt::TimeNs kPlaybackLookahead = 500 * Basalt::kNsPerMs;

struct Player {
  bool started = false;
  Basalt::TimeNs startTime = 0;  // the instant event time 0 sounds at
  EventCursor scheduled;         // events handed to the audio clock
  EventCursor shown;             // events flashed on screen
  bool switchedKits = false;     // the drum set shows the recording's kit count, not the one in use
  PadAssignment pads;            // the recording's samples and modifier flags
  PadVolumes volumes;            // the recording's volumes
};

// The pads a loaded recording was made with: each path as stored and the
// bank sample it names (a path the bank does not hold leaves its pad slot
// silent), its modifier flags as functions. Loads no sound.
PadAssignment RecordingPads(const Recording& recording, const SampleBank& bank);

// The recording's twenty volumes, in file order, clamped into 0..1.
void ApplyRecordingVolumes(const Recording& recording, PadVolumes* volumes);

// The kit count the drum set shows for a recording made with kitCount kits: 1 or 2.
unsigned RecordingKits(int32_t kitCount);

// One frame at now: hands the audio clock every event due before now plus
// the lookahead, played on sounds (the recording's pads and volumes), and
// tells shown of each event whose time has come, in order.
void PlayDueEvents(Player* player, const Recording& recording, Basalt::TimeNs now, const PadSounds& sounds,
                   StrikeListener* shown);
