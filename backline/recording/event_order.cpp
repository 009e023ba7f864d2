#include "backline/recording/event_order.h"

namespace {

// The pad slot whose next event comes first (the lowest slot among equals),
// if it comes no later than lastMs; -1 otherwise.
int NextSlot(const Recording& recording, const EventCursor& cursor, int64_t lastMs) {
  int best = -1;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    const std::vector<int32_t>& track = recording.tracks[slot];
    const size_t next = static_cast<size_t>(cursor.next[slot]);
    if (next >= track.size() || track[next] > lastMs) continue;
    if (best < 0 || track[next] < recording.tracks[best][static_cast<size_t>(cursor.next[best])]) best = slot;
  }
  return best;
}

}  // namespace

RecordedEvent TakeRecordedEvent(const Recording& recording, const SecondaryPads& secondaries, EventCursor* cursor,
                                int64_t lastMs) {
  RecordedEvent event;
  event.slot = NextSlot(recording, *cursor, lastMs);
  if (event.slot < 0) return event;
  const auto index = static_cast<size_t>(cursor->next[event.slot]++);
  event.ms = recording.tracks[event.slot][index];
  event.velocity = recording.EventVelocity(event.slot, index);
  if (recording.pads[event.slot].enablesSecondaries) {
    cursor->secondariesHeld = !cursor->secondariesHeld;
    event.heard = recording.version != 2 && cursor->secondariesHeld;
  } else {
    event.heard = true;
    event.secondary = cursor->secondariesHeld && secondaries[static_cast<size_t>(event.slot)];
  }
  return event;
}
