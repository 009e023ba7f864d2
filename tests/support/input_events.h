#pragma once
// Input events as the input thread hands them to its listener, for tests
// that feed a listener directly.
#include "basalt/input/input_event.h"

namespace test {

inline Basalt::InputEvent MakeInputEvent(Basalt::InputEvent::Type type, int joy, int code, Basalt::TimeNs time) {
  Basalt::InputEvent event;
  event.type = type;
  event.joy = static_cast<int8_t>(joy);
  event.code = static_cast<uint8_t>(code);
  event.time = time;
  return event;
}

}  // namespace test
