#include "tests/support/virtual_input.h"

#include <algorithm>

#include "tests/support/virtual_kit.h"

namespace test {

void VirtualInputTest::SetUp() {
  EngineFixture::SetUp();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
}

void VirtualInputTest::TearDown() {
  m_input.Shutdown();
  for (SDL_Joystick* handle : m_handles) SDL_JoystickClose(handle);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);  // detaches every virtual controller
  EngineFixture::TearDown();
}

SDL_Joystick* VirtualInputTest::Attach(uint16_t vendor, uint16_t product, const char* name, int buttons, int hats,
                                       int axes) {
  VirtualKitDesc desc;
  desc.vendor = vendor;
  desc.product = product;
  desc.name = name;
  desc.buttons = buttons;
  desc.hats = hats;
  desc.axes = axes;
  desc.xpadResting = axes > 4;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  SDL_Joystick* handle = AttachVirtualKit(desc);
  EXPECT_NE(handle, nullptr) << SDL_GetError();
  m_handles.push_back(handle);
  return handle;
}

void VirtualInputTest::Detach(SDL_Joystick* kit) {
  m_handles.erase(std::remove(m_handles.begin(), m_handles.end(), kit), m_handles.end());
  EXPECT_TRUE(DetachVirtualKit(kit)) << SDL_GetError();
}

void VirtualInputTest::Start(int devices) {
  ASSERT_TRUE(m_input.Initialize(&m_platform));
  m_input.EnumJoysticks();
  ASSERT_TRUE(m_input.InitializeDevices(true, devices));
}

bool VirtualInputTest::Frame() {
  m_platform.Update();
  m_input.WaitForPolls(2);
  return m_input.Update();
}

void VirtualInputTest::SetButton(SDL_Joystick* kit, int button, bool down) {
  SDL_JoystickSetVirtualButton(kit, button, down ? SDL_PRESSED : SDL_RELEASED);
  m_input.WaitForPolls(2);
}

void VirtualInputTest::SetAxis(SDL_Joystick* kit, int axis, Sint16 value) {
  SDL_JoystickSetVirtualAxis(kit, axis, value);
  m_input.WaitForPolls(2);
}

void VirtualInputTest::SetHat(SDL_Joystick* kit, Uint8 value) {
  SDL_JoystickSetVirtualHat(kit, 0, value);
  m_input.WaitForPolls(2);
}

void VirtualInputTest::PushKey(SDL_Scancode scancode, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.scancode = scancode;
  SDL_PushEvent(&event);
}

}  // namespace test
