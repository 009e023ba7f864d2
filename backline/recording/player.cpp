#include "backline/recording/player.h"

namespace {

bool Due(const Player& player, const plrInfo& recording, int slot, uint32_t elapsed) {
  const std::vector<int32_t>& track = recording.tracks[slot];
  const size_t next = static_cast<size_t>(player.cursor[slot]);
  return next < track.size() && static_cast<uint32_t>(track[next]) <= elapsed;
}

}  // namespace

void ApplyRecordingSamples(const plrInfo& recording, const SampleBank& bank, PadAssignment* assignment) {
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    AssignPadSample(assignment, bank, slot, PrimarySample, FindSampleByPath(bank, recording.pads[slot].primary));
    AssignPadSample(assignment, bank, slot, SecondarySample, FindSampleByPath(bank, recording.pads[slot].secondary));
  }
}

void ApplyRecordingVolumes(const plrInfo& recording, PadVolumes* volumes) {
  for (int k = 0; k < kStoredVolumes; ++k) volumes->Set(StoredVolumeSlot(k), recording.volumes[k]);
}

unsigned RecordingKits(int32_t kitCount) { return kitCount < 2 ? 1u : 2u; }

void PlayDueEvents(Player* player, const plrInfo& recording, uint32_t elapsed, const PadAssignment& assignment,
                   const PadVolumes& volumes, bool* secondariesHeld, FrameStrikes* out) {
  out->count = 0;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    if (!Due(*player, recording, slot, elapsed)) continue;
    ++player->cursor[slot];
    bool secondary = false;
    if (recording.pads[slot].enablesSecondaries) {
      *secondariesHeld = !*secondariesHeld;
      if (recording.version == 2 || !*secondariesHeld) continue;
    } else {
      secondary = ChooseSecondary(assignment, slot, *secondariesHeld);
    }
    StrikePadSlot(slot, secondary, volumes);
    out->strikes[out->count++] = PadStrike{slot / kPadsPerKit, slot % kPadsPerKit, slot, secondary};
  }
}
