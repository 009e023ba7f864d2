#pragma once
// Small helpers the screens share for their boxes and pulsing lines.
#include <cstdint>

namespace Basalt {
class GUIButton;
}

// Shows box at (x, y), width x height, in the colour alpha, red, green, blue.
void ShowBox(Basalt::GUIButton* box, float x, float y, unsigned width, unsigned height, float alpha, float red,
             float green, float blue);
// Makes box transparent (it and its caption draw nothing), leaving the rest as it is.
void SetBoxOpacity(Basalt::GUIButton* box, float alpha);
// Hides box.
void HideBox(Basalt::GUIButton* box);

// A highlight that pulses: advances phase by 4 x frameTime (wrapping at
// 6.283) and returns rgb under an alpha that is 255 while the sine is
// positive and dips to half.
uint32_t AdvancePulse(float* phase, float frameTime, uint32_t rgb);
