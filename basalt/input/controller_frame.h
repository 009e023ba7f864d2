#pragma once
// One controller as a frame reads it, rebuilt on the main thread from the
// events the input thread queued: a button reads down while it is held or
// when it went down since the last frame (a strike shorter than a frame shows
// up once); a hat reads its direction, or, when it is centred again, the last
// direction it was pushed to since the last frame, once.
#include <array>

#include "basalt/input/input_event.h"
#include "basalt/input/press_latch.h"

namespace Basalt {

class ControllerFrame {
 public:
  static constexpr int kButtons = 128;
  static constexpr int kHats = 4;
  static constexpr int kHatCentred = -1;

  // A ButtonDown, ButtonUp or HatMoved of this controller; others are ignored.
  void Apply(const InputEvent& event);
  // Everything released and centred, the latches forgotten (the controller was unplugged).
  void Release();
  // Makes what was applied since the last Capture the frame's state.
  void Capture();

  bool Button(int button) const { return m_buttonState[static_cast<size_t>(button)] & 0x80; }
  int Pov(int hat) const { return m_pov[static_cast<size_t>(hat)]; }

 private:
  EventButtons<kButtons> m_buttons;
  std::array<unsigned char, kButtons> m_buttonState = {};
  std::array<int, kHats> m_hat = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
  std::array<int, kHats> m_latchedPov = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
  std::array<int, kHats> m_pov = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
};

}  // namespace Basalt
