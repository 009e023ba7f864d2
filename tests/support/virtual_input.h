#pragma once
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "basalt/input/input.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "tests/support/engine_fixture.h"

namespace test {

// A Input fed by a platform whose event pump runs without a window, with
// SDL virtual controllers the test attaches and presses through its own
// handles, and keys it pushes as events. Only Input's input thread updates
// the controllers: setting a button or hat waits until that thread has seen
// it (two of its polls), as a kit's driver would have been read by then.
class VirtualInputTest : public EngineFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // axes: more than four rest as a 360 kit's sticks do through xpad (virtual_kit.h).
  SDL_Joystick* Attach(uint16_t vendor, uint16_t product, const char* name, int buttons = 8, int hats = 1,
                       int axes = 0);
  SDL_Joystick* AttachDrumsetA() { return Attach(0x1BAD, 0x0003, "Harmonix Drum Kit", 8, 1, 6); }
  // Unplugs a controller Attach made (its handle is closed).
  void Detach(SDL_Joystick* kit);

  void Start(int devices = Input::kKeyboardDevice | Input::kMouseDevice | Input::kJoystickDevices);
  // One frame as the core runs it: the platform pumps, the input thread
  // takes the forwarded keys (two polls), then input captures.
  bool Frame();
  // What the kit's driver would report between two frames; seen by the
  // input thread when this returns (if it runs).
  void SetButton(SDL_Joystick* kit, int button, bool down);
  void SetAxis(SDL_Joystick* kit, int axis, Sint16 value);
  void SetHat(SDL_Joystick* kit, Uint8 value);
  static void PushKey(SDL_Scancode scancode, bool down);

  Basalt::PlatformSDL m_platform{&NoWindow};
  Input m_input;
  std::vector<SDL_Joystick*> m_handles;

 private:
  static unsigned NoWindow(void*) { return 1; }
};

}  // namespace test
