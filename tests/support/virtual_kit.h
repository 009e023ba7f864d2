#pragma once
// A virtual controller (SDL's virtual joystick driver) for tests and
// benchmarks. SDL's joystick subsystem must be initialized; the caller closes
// the returned handle and detaches the device.
#include <SDL.h>

#include <cmath>
#include <cstdint>

namespace test {

struct VirtualKitDesc {
  uint16_t vendor = 0x1BAD;  // a drum kit the program recognises
  uint16_t product = 0x0003;
  const char* name = "Virtual Drum Kit";
  int buttons = 12;
  int hats = 1;
  int axes = 6;  // a 360 kit's through xpad: left X, left Y, left trigger, right X, right Y, right trigger
  // The sticks rest as an idle 360 kit's do: its report holds zeros, which
  // xpad hands on as 0 on the X axes and ~0 = -1 on the Y axes (1 and 4).
  bool xpadResting = true;
  SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
};

// The axes of a 360 Rock Band kit that carry its pads' strength, by button:
// 0 green in the right stick's Y, 1 red in the left stick's X, 2 blue in the
// right stick's X, 3 yellow in the left stick's Y.
constexpr int kXbox360VelocityAxis[4] = {4, 0, 3, 1};

// What SDL reads on a 360 kit's velocity axis for a strike of velocity
// (0..1), as Linux's xpad hands the kit's report on: the report's field holds
// the softness, round((1 - velocity) x 0x7FFF), with its top bit set on the
// yellow and green fields, and xpad inverts every Y axis bit for bit.
inline Sint16 Xbox360VelocityReading(int axis, float velocity) {
  const auto softness = static_cast<int>(std::lround((1.0 - velocity) * 0x7FFF));
  const bool yAxis = axis == 1 || axis == 4;
  return static_cast<Sint16>(yAxis ? ~(0x8000 | softness) : softness);
}

// Attaches and opens the controller; null (SDL_GetError says why) on failure.
inline SDL_Joystick* AttachVirtualKit(const VirtualKitDesc& kit = {}) {
  SDL_VirtualJoystickDesc desc = {};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = static_cast<Uint16>(kit.type);
  desc.nbuttons = static_cast<Uint16>(kit.buttons);
  desc.nhats = static_cast<Uint16>(kit.hats);
  desc.naxes = static_cast<Uint16>(kit.axes);
  desc.vendor_id = kit.vendor;
  desc.product_id = kit.product;
  desc.name = kit.name;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  SDL_Joystick* joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (joystick && kit.xpadResting && kit.axes > 4) {
    SDL_JoystickSetVirtualAxis(joystick, 1, -1);
    SDL_JoystickSetVirtualAxis(joystick, 4, -1);
  }
  return joystick;
}

// Closes the handle and unplugs its controller; false when SDL no longer lists it.
inline bool DetachVirtualKit(SDL_Joystick* kit) {
  const SDL_JoystickID id = SDL_JoystickInstanceID(kit);
  SDL_JoystickClose(kit);
  for (int index = 0; index < SDL_NumJoysticks(); ++index)
    if (SDL_JoystickGetDeviceInstanceID(index) == id) return SDL_JoystickDetachVirtual(index) == 0;
  return false;
}

}  // namespace test
