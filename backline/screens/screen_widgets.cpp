#include "backline/screens/screen_widgets.h"

#include <algorithm>
#include <cmath>

#include "basalt/gui/gui_button.h"

void ShowBox(Basalt::GUIButton* box, float x, float y, unsigned width, unsigned height, float alpha, float red,
             float green, float blue) {
  box->SendMessageA(Basalt::GUIMessage::WithInts(Basalt::GUI_MOVE_TO, static_cast<int>(x), static_cast<int>(y)));
  box->SetSize(width, height);
  box->SetColour(alpha, red, green, blue);
  box->SendMessageA(Basalt::GUI_SHOW);
}

void SetBoxOpacity(Basalt::GUIButton* box, float alpha) {
  const unsigned colour = box->GetColour();
  box->SetColour(alpha, static_cast<float>((colour >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((colour >> 8) & 0xFF) / 255.0f, static_cast<float>(colour & 0xFF) / 255.0f);
}

void HideBox(Basalt::GUIButton* box) { box->SendMessageA(Basalt::GUI_HIDE); }

uint32_t AdvancePulse(float* phase, float frameTime, uint32_t rgb) {
  constexpr float kTurn = 6.283f;
  *phase += frameTime * 4.0f;
  if (*phase >= kTurn) *phase -= kTurn;
  const float level = std::clamp(std::sin(*phase) * 0.5f + 1.0f, 0.0f, 1.0f);
  return static_cast<uint32_t>(level * 255.0f) << 24 | (rgb & 0xFFFFFF);
}
