#include "backline/recording/player.h"

namespace {

using Basalt::TimeNs;

// One event of the recording as a strike: its pad slot and the sound slot it plays.
struct Event {
  int slot = -1;  // -1: none left before the horizon
  TimeNs time = 0;
  bool heard = false;
  bool secondary = false;
  float velocity = 1.0f;
};

TimeNs EventTime(const Player& player, int32_t ms) { return player.startTime + ms * Basalt::kNsPerMs; }

// The pad slot whose next event comes first (the lowest slot among equals),
// if it comes no later than horizon; -1 otherwise.
int NextSlot(const Player& player, const plrInfo& recording, const EventCursor& cursor, TimeNs horizon) {
  int best = -1;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    const std::vector<int32_t>& track = recording.tracks[slot];
    const size_t next = static_cast<size_t>(cursor.next[slot]);
    if (next >= track.size() || EventTime(player, track[next]) > horizon) continue;
    if (best < 0 || track[next] < recording.tracks[best][static_cast<size_t>(cursor.next[best])]) best = slot;
  }
  return best;
}

// Takes the next event no later than horizon, moving the cursor and its modifier on.
Event TakeEvent(const Player& player, const plrInfo& recording, const PadAssignment& assignment, EventCursor* cursor,
                TimeNs horizon) {
  Event event;
  event.slot = NextSlot(player, recording, *cursor, horizon);
  if (event.slot < 0) return event;
  const auto index = static_cast<size_t>(cursor->next[event.slot]++);
  event.time = EventTime(player, recording.tracks[event.slot][index]);
  event.velocity = recording.EventVelocity(event.slot, index);
  if (recording.pads[event.slot].enablesSecondaries) {
    cursor->secondariesHeld = !cursor->secondariesHeld;
    event.heard = recording.version != 2 && cursor->secondariesHeld;
  } else {
    event.heard = true;
    event.secondary = ChooseSecondary(assignment, event.slot, cursor->secondariesHeld);
  }
  return event;
}

}  // namespace

PadAssignment RecordingPads(const plrInfo& recording, const SampleBank& bank) {
  static_assert(kPlrPathField == SampleBank::kFieldSize, "a recording names samples as presets do");
  PadAssignment pads;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    const PlrPadRecord& pad = recording.pads[slot];
    SetStoredPadSample(&pads, bank, slot, PrimarySample, pad.primary);
    SetStoredPadSample(&pads, bank, slot, SecondarySample, pad.secondary);
    pads.function[slot] = pad.enablesSecondaries ? EnableSecondaries : NormalFunction;
  }
  return pads;
}

void ApplyRecordingVolumes(const plrInfo& recording, PadVolumes* volumes) {
  for (int k = 0; k < kStoredVolumes; ++k) volumes->Set(StoredVolumeSlot(k), recording.volumes[k]);
}

unsigned RecordingKits(int32_t kitCount) { return kitCount < 2 ? 1u : 2u; }

void PlayDueEvents(Player* player, const plrInfo& recording, TimeNs now, const PadSounds& sounds, FrameStrikes* out) {
  for (;;) {
    const Event event = TakeEvent(*player, recording, sounds.sounding, &player->scheduled, now + kPlaybackLookahead);
    if (event.slot < 0) break;
    if (event.heard) StrikePadSlot(event.slot, event.secondary, sounds, event.time, event.velocity);
  }
  out->Clear();
  for (;;) {
    const Event event = TakeEvent(*player, recording, sounds.sounding, &player->shown, now);
    if (event.slot < 0) break;
    if (event.heard)
      out->Add({StrikeReport::Strike, event.slot / kPadsPerKit, event.slot % kPadsPerKit, event.slot, event.secondary,
                event.time, event.velocity});
  }
}
