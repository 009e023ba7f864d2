#pragma once
// Where an imported kit's pieces go on the pads: the kick on the bass pedal,
// a snare on red, toms on yellow and blue (the highest first), the hi-hat or
// a cymbal on green; secondaries (heard while a modifier pedal is held) get a
// side stick, more toms, a crash, the pedal hi-hat; the second kit the
// pieces still left, else the first kit's sounds. Any thread.
#include <array>
#include <vector>

#include "backline/common/pad_slots.h"
#include "backline/kits/drum_roles.h"

// The piece (an index into pieces) each pad sound (sound slots 0..19) plays,
// or -1 for none.
using KitLayout = std::array<int, kVolumeSlots>;

KitLayout LayOutKit(const std::vector<DrumPiece>& pieces);
