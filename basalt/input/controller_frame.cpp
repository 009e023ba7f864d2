#include "basalt/input/controller_frame.h"

namespace Basalt {

void ControllerFrame::Apply(const InputEvent& event) {
  switch (event.type) {
    case InputEvent::ButtonDown:
      m_buttons.Down(event.code);
      break;
    case InputEvent::ButtonUp:
      m_buttons.Up(event.code);
      break;
    case InputEvent::HatMoved:
      if (event.code >= kHats) break;
      m_hat[event.code] = event.value;
      if (event.value != kHatCentred) m_latchedPov[event.code] = event.value;
      break;
    default:
      break;
  }
}

void ControllerFrame::Release() { *this = ControllerFrame(); }

void ControllerFrame::Capture() {
  m_buttons.Capture(m_buttonState);
  for (size_t hat = 0; hat < kHats; ++hat) {
    m_pov[hat] = m_hat[hat] == kHatCentred ? m_latchedPov[hat] : m_hat[hat];
    m_latchedPov[hat] = kHatCentred;
  }
}

}  // namespace Basalt
