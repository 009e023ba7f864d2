#include "backline/screens/assign_buttons.h"

#include <algorithm>

#include "backline/gui/program_gui.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui_button.h"

AssignButtons::AssignButtons(ProgramGui& gui) {
  for (Basalt::GUIButton*& button : m_buttons) {
    button = &NewBox(gui);
    HideBox(button);
    button->SendMessage(Basalt::GUIMessage::WithInts(Basalt::GUI_SET_FONT, 1, 0));
    button->SetSize(200, 30);
    button->SetColour(0.0f, 1.0f, 1.0f, 1.0f);
  }
}

void AssignButtons::Show(int index, unsigned x, unsigned y, const char* caption) {
  Basalt::GUIButton* button = m_buttons[index];
  button->SendMessage(Basalt::GUIMessage::Caption(caption));
  ShowBox(button, static_cast<float>(x), static_cast<float>(y), 200, 30, m_levels[index], kButtonTint[0],
          kButtonTint[1], kButtonTint[2]);
}

void AssignButtons::Fade(int first, int count, float perSecond, float frameTime) {
  for (int i = first; i < first + count; ++i) {
    m_levels[i] = std::max(m_levels[i] - perSecond * frameTime, 0.0f);
    SetBoxOpacity(m_buttons[i], m_levels[i]);
  }
}

void AssignButtons::Clear() {
  for (int i = 0; i < kAssignButtons; ++i) {
    m_levels[i] = 0.0f;
    SetBoxOpacity(m_buttons[i], 0.0f);
  }
}
