#include "basalt/input/press_velocities.h"

namespace Basalt {

void PressVelocities::Wait(InputEvent* press, const VelocityAxis& source) {
  if (m_count < kCapacity) m_waiting[m_count++] = {press, &source};
}

void PressVelocities::AxisMoved(int joy, int axis, int16_t value) {
  for (size_t i = 0; i < m_count; ++i) {
    Waiting& waiting = m_waiting[i];
    if (waiting.press && waiting.press->joy == joy && waiting.source->axis == axis) return Take(&waiting, value);
  }
}

void PressVelocities::Released(int joy, int button, int16_t value) {
  for (size_t i = 0; i < m_count; ++i) {
    Waiting& waiting = m_waiting[i];
    if (waiting.press && waiting.press->joy == joy && waiting.press->code == button) return Take(&waiting, value);
  }
}

void PressVelocities::Take(Waiting* waiting, int16_t value) {
  waiting->press->velocity = VelocityFromAxis(*waiting->source, value);
  waiting->press = nullptr;
}

}  // namespace Basalt
