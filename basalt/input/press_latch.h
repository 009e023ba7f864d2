#pragma once
// Catches presses that end before anyone looks: a button struck and released
// between two frames is down in neither frame's state, so its down event is
// remembered here and the next frame reads it down once.
#include <array>
#include <cstddef>

namespace Basalt {

template <size_t N>
class PressLatch {
 public:
  static constexpr unsigned char kDown = 0x80;

  // Remembers that button i went down; out-of-range buttons are ignored.
  void Press(size_t i) {
    if (i < N) m_pressed[i] = true;
  }
  // The frame's state byte of button i: kDown while it is held or when it was
  // pressed since the last Take, else 0. Forgets the press.
  unsigned char Take(size_t i, bool held) {
    const bool down = held || m_pressed[i];
    m_pressed[i] = false;
    return down ? kDown : 0;
  }
  void Clear() { m_pressed.fill(false); }

 private:
  std::array<bool, N> m_pressed = {};
};

}  // namespace Basalt

namespace Basalt {

// Buttons known only from their down and up events (keys, mouse buttons),
// with the same catch for presses shorter than a frame.
template <size_t N>
class EventButtons {
 public:
  // Out-of-range buttons are ignored.
  void Down(size_t i) {
    if (i >= N) return;
    m_held[i] = true;
    m_latch.Press(i);
  }
  void Up(size_t i) {
    if (i < N) m_held[i] = false;
  }
  // Writes the frame's state byte of every button (see PressLatch::Take).
  void Capture(std::array<unsigned char, N>& state) {
    for (size_t i = 0; i < N; ++i) state[i] = m_latch.Take(i, m_held[i]);
  }

 private:
  std::array<bool, N> m_held = {};
  PressLatch<N> m_latch;
};

}  // namespace Basalt
