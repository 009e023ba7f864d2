#pragma once
// Small helpers the screens share for their boxes, pulsing lines and help
// texts. Main thread.
#include <cstdint>

class ProgramGui;
namespace Basalt {
class GUIButton;
}

// What a screen draws with: the GUI context its boxes live in and its texts
// are queued in, and the panel box the dialogs share as their backdrop (a
// dialog leaves it for the next screen to reuse or hide). Both outlive the
// screens.
struct ScreenCanvas {
  ProgramGui& gui;
  Basalt::GUIButton& panel;
};

// A new transparent box under the next free widget id, with an empty
// caption; the GUI context owns it until it shuts down.
Basalt::GUIButton& NewBox(ProgramGui& gui);

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

// Draws count help lines in colour at x = 10, the first fromBottom pixels
// above the screen's bottom and the others 20 pixels apart.
void DrawHelpLines(ProgramGui& gui, unsigned fromBottom, const char* const* lines, int count, unsigned colour);
