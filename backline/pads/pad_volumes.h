#pragma once
// The playback volume of each pad sound slot (0..19), 0.0 to 1.0. The drum set
// owns one; preset loading, the assign screen and the player write it, the
// hit path reads it by index.
#include "backline/pads/pad_slots.h"

struct PadVolumes {
  float volume[kVolumeSlots];

  PadVolumes() { Reset(); }
  // Every slot at full volume, as when the drum set is built.
  void Reset();
  // Clamps into 0..1; NaN leaves the slot's volume as it was.
  void Set(int soundSlot, float value);
};
