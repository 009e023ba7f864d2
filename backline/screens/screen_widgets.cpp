#include "backline/screens/screen_widgets.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "backline/gui/program_gui.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

Basalt::GUIButton& NewBox(ProgramGui& gui) {
  unsigned id = 1;
  while (gui.FindWidget(id)) ++id;
  Basalt::GUIButton* box = gui.CreateButton(id, 0);
  assert(box);
  box->SendMessage(Basalt::GUIMessage::Caption(""));
  SetBoxOpacity(box, 0.0f);
  return *box;
}

void ShowBox(Basalt::GUIButton* box, float x, float y, unsigned width, unsigned height, float alpha, float red,
             float green, float blue) {
  box->SendMessage(Basalt::GUIMessage::WithInts(Basalt::GUI_MOVE_TO, static_cast<int>(x), static_cast<int>(y)));
  box->SetSize(width, height);
  box->SetColour(alpha, red, green, blue);
  box->SendMessage(Basalt::GUI_SHOW);
}

void SetBoxOpacity(Basalt::GUIButton* box, float alpha) {
  const unsigned colour = box->GetColour();
  box->SetColour(alpha, static_cast<float>((colour >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((colour >> 8) & 0xFF) / 255.0f, static_cast<float>(colour & 0xFF) / 255.0f);
}

void HideBox(Basalt::GUIButton* box) { box->SendMessage(Basalt::GUI_HIDE); }

uint32_t AdvancePulse(float* phase, float frameTime, uint32_t rgb) {
  constexpr float kTurn = 6.283f;
  *phase += frameTime * 4.0f;
  if (*phase >= kTurn) *phase -= kTurn;
  const float level = std::clamp(std::sin(*phase) * 0.5f + 1.0f, 0.0f, 1.0f);
  return static_cast<uint32_t>(level * 255.0f) << 24 | (rgb & 0xFFFFFF);
}

void DrawHelpLines(ProgramGui& gui, unsigned fromBottom, const char* const* lines, int count, unsigned colour) {
  const unsigned top = Basalt::g_pGUI->GetScreenHeight() - fromBottom;
  for (int i = 0; i < count; ++i) gui.DrawText(0, 10, top + 20 * static_cast<unsigned>(i), colour, "%s", lines[i]);
}
