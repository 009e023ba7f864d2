#pragma once
// What the input thread hands on: one key or controller event, stamped with
// the instrument clock's time at which it was seen (a key when the window's
// event pump took it, a controller button when the input thread read it). A
// button press carries how hard it was struck, as its controller reports it
// (controller_velocity.h).
#include <cstdint>

#include "basalt/foundation/clock.h"

namespace Basalt {

struct InputEvent {
  enum Type : uint8_t {
    KeyDown,               // code: DirectInput key code (basalt/input/key_codes.h); joy -1
    KeyUp,                 // likewise
    ButtonDown,            // joy: controller 0..3; code: button number
    ButtonUp,              // likewise
    HatMoved,              // joy, code: hat number; value: POV (hundredths of a degree, -1 centred)
    ControllerUnplugged,   // joy: the controller that went away (it reads released from now on)
  };
  Type type = KeyDown;
  int8_t joy = -1;
  uint8_t code = 0;
  int32_t value = 0;
  // ButtonDown: the strike's strength, 0 (softest) to 1 (hardest); 1 when the
  // controller reports none for the button, and for every other event.
  float velocity = 1.0f;
  TimeNs time = 0;
};

// Sees every key and controller event, in the order they were seen, on the
// input thread (Input's), as soon as that thread has them: neither call may
// block, allocate or touch a file. Keys reach it a moment after the main
// thread's event pump took them.
class IInputListener {
 public:
  virtual void OnInputEvent(const InputEvent& event) = 0;
  // After every poll of the controllers (at least 1000 times a second), with
  // the time of the poll: for work that depends on time passing, such as a
  // held pad sounding again.
  virtual void OnInputPoll(TimeNs now) = 0;

 protected:
  ~IInputListener() = default;
};

}  // namespace Basalt
