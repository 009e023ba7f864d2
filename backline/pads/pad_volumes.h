#pragma once
// The playback volume of each pad sound slot (0..19), 0.0 to 1.0. The
// instrument owns the user's, the player a recording's; preset loading and
// the assign screen write the user's, the hit path reads them by index.
#include "backline/common/pad_slots.h"

struct PadVolumes {
  float volume[kVolumeSlots];

  PadVolumes() { Reset(); }
  // Every slot at full volume, as when the drum set is built.
  void Reset();
  // Clamps into 0..1; NaN leaves the slot's volume as it was.
  void Set(int soundSlot, float value);
};

// Preset and recording files store twenty volumes: sound slots 0..9 and then
// 5..14, the order the formats have always had. Applied in that order, the
// second copy of slots 5..9 wins and slots 15..19 are never stored.
constexpr int kStoredVolumes = 20;
// The sound slot of stored entry k.
constexpr int StoredVolumeSlot(int k) { return (k / 10) * kPadsPerKit + k % 10; }
