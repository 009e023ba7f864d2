#pragma once
// The presses of one frame in the order they happened: keys (taken by the
// main thread's event pump) and the controllers' buttons and hats (queued by
// the input thread) arrive by different ways, so the frame sorts them by the
// time each was seen. Main thread.
#include <array>

#include "basalt/input/input_event.h"

namespace Basalt {

class FramePresses {
 public:
  static constexpr int kCapacity = 256;  // presses of one frame beyond these are dropped

  // Notes a press (KeyDown, ButtonDown, or HatMoved off the centre) for the next Publish.
  void Add(const InputEvent& press);
  // The presses noted since the last Publish become the frame's, oldest first.
  void Publish();
  // The frame's presses; valid until the next Publish.
  const InputEvent* Get(int* count) const {
    *count = m_frameCount;
    return m_frame.data();
  }

 private:
  std::array<InputEvent, kCapacity> m_pending;
  int m_pendingCount = 0;
  std::array<InputEvent, kCapacity> m_frame;
  int m_frameCount = 0;
};

}  // namespace Basalt
