#include "backline/pads/pad_flash.h"

#include <cassert>

const PadColour kPadFlashColours[kPadsPerKit] = {
    {kKeepChannel, 0.0f, 0.0f},  // red
    {0.6f, 0.6f, 0.0f},          // yellow
    {0.0f, 0.0f, kKeepChannel},  // blue
    {0.0f, kKeepChannel, 0.0f},  // green
    {kKeepChannel, 0.5f, 0.0f},  // bass pedal: orange
};

namespace {

void SetChannel(float* channel, float flash) {
  if (flash != kKeepChannel) *channel = flash;
}

void RaiseChannel(float* channel, float step) {
  if (*channel < 1.0f) *channel = *channel + step < 1.0f ? *channel + step : 1.0f;
}

}  // namespace

void FlashPadColour(PadColour* colour, int pad) {
  assert(pad >= 0 && pad < kPadsPerKit);
  const PadColour& flash = kPadFlashColours[pad];
  SetChannel(&colour->red, flash.red);
  SetChannel(&colour->green, flash.green);
  SetChannel(&colour->blue, flash.blue);
}

void FadePadColour(PadColour* colour, float frameTime) {
  const float step = kFlashRecoveryPerSecond * frameTime;
  RaiseChannel(&colour->red, step);
  RaiseChannel(&colour->green, step);
  RaiseChannel(&colour->blue, step);
}
