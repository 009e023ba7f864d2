#include "backline/recording/player.h"

namespace {

using Basalt::TimeNs;

TimeNs EventTime(const Player& player, int32_t ms) { return player.startTime + ms * Basalt::kNsPerMs; }

// The last event millisecond due by time: the events at startTime + ms <= time.
int64_t LastMsBy(const Player& player, TimeNs time) {
  const TimeNs since = time - player.startTime;
  return since >= 0 ? since / Basalt::kNsPerMs : -((-since + Basalt::kNsPerMs - 1) / Basalt::kNsPerMs);
}

SecondaryPads SecondariesOf(const PadAssignment& assignment) {
  SecondaryPads secondaries{};
  for (int slot = 0; slot < kPlrPadSlots; ++slot)
    secondaries[static_cast<size_t>(slot)] = ChooseSecondary(assignment, slot, true);
  return secondaries;
}

}  // namespace

PadAssignment RecordingPads(const Recording& recording, const SampleBank& bank) {
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

void ApplyRecordingVolumes(const Recording& recording, PadVolumes* volumes) {
  for (int k = 0; k < kStoredVolumes; ++k) volumes->Set(StoredVolumeSlot(k), recording.volumes[k]);
}

unsigned RecordingKits(int32_t kitCount) { return kitCount < 2 ? 1u : 2u; }

void PlayDueEvents(Player* player, const Recording& recording, TimeNs now, const PadSounds& sounds,
                   StrikeListener* shown) {
  const SecondaryPads secondaries = SecondariesOf(sounds.sounding);
  const int64_t scheduleBy = LastMsBy(*player, now + kPlaybackLookahead);
  for (;;) {
    const RecordedEvent event = TakeRecordedEvent(recording, secondaries, &player->scheduled, scheduleBy);
    if (event.slot < 0) break;
    if (event.heard) StrikePadSlot(event.slot, event.secondary, sounds, EventTime(*player, event.ms), event.velocity);
  }
  const int64_t showBy = LastMsBy(*player, now);
  for (;;) {
    const RecordedEvent event = TakeRecordedEvent(recording, secondaries, &player->shown, showBy);
    if (event.slot < 0) break;
    if (event.heard)
      shown->OnStrike({StrikeReport::Strike, event.slot / kPadsPerKit, event.slot % kPadsPerKit, event.slot,
                       event.secondary, EventTime(*player, event.ms), event.velocity});
  }
}
