#include "backline/pads/pad_volumes.h"

#include <cassert>
#include <cmath>

void PadVolumes::Reset() {
  for (float& value : volume) value = 1.0f;
}

void PadVolumes::Set(int soundSlot, float value) {
  assert(soundSlot >= 0 && soundSlot < kVolumeSlots);
  if (std::isnan(value)) return;
  volume[soundSlot] = value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value;
}
