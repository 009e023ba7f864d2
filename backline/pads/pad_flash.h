#pragma once
// The colour a struck pad flashes on the drum set: each channel multiplies
// the pad's colour, rests at 1.0, drops on a hit as its pad's row says, and
// climbs back by 2.5 per second (a flash is gone within 0.4 s).
#include "backline/common/pad_slots.h"

struct PadColour {
  float red = 1.0f, green = 1.0f, blue = 1.0f;
};

// The channels a hit of each pad sets; kKeepChannel leaves a channel as it is.
constexpr float kKeepChannel = -1.0f;
extern const PadColour kPadFlashColours[kPadsPerKit];

constexpr float kFlashRecoveryPerSecond = 2.5f;

// A hit of pad (0..4) on colour.
void FlashPadColour(PadColour* colour, int pad);

// One frame of the flash fading back.
void FadePadColour(PadColour* colour, float frameTime);
