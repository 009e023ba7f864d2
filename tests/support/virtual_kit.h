#pragma once
// A virtual controller (SDL's virtual joystick driver) for tests and
// benchmarks. SDL's joystick subsystem must be initialised; the caller closes
// the returned handle and detaches the device.
#include <SDL.h>

#include <cstdint>

namespace test {

struct VirtualKitDesc {
  uint16_t vendor = 0x1BAD;  // a drum kit the program recognises
  uint16_t product = 0x0003;
  const char* name = "Virtual Drum Kit";
  int buttons = 12;
  int hats = 1;
  SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
};

// Attaches and opens the controller; null (SDL_GetError says why) on failure.
inline SDL_Joystick* AttachVirtualKit(const VirtualKitDesc& kit = {}) {
  SDL_VirtualJoystickDesc desc = {};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = static_cast<Uint16>(kit.type);
  desc.nbuttons = static_cast<Uint16>(kit.buttons);
  desc.nhats = static_cast<Uint16>(kit.hats);
  desc.vendor_id = kit.vendor;
  desc.product_id = kit.product;
  desc.name = kit.name;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  return index >= 0 ? SDL_JoystickOpen(index) : nullptr;
}

}  // namespace test
