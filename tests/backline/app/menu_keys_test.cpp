#include "backline/app/menu_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/virtual_input.h"

namespace {

class MenuKeysTest : public test::VirtualInputTest {
 protected:
  // One frame of the given length; returns the events it set, by index.
  std::string Poll(float frameTime = 0.02f) {
    Frame();
    PollMenuKeys(&m_keys, &m_input, frameTime);
    std::string events;
    for (int key = 0; key < kMenuKeyCount; ++key)
      if (m_keys.event[key]) events += (events.empty() ? "" : " ") + std::to_string(key);
    return events;
  }
  MenuKeys m_keys;
};

TEST_F(MenuKeysTest, APressFiresOnceOnTheFrameItIsFirstSeenAfterTheStartUpHold) {
  Start();
  PushKey(SDL_SCANCODE_SPACE, true);
  EXPECT_EQ(Poll(0.05f), "");
  EXPECT_EQ(Poll(0.04f), "");
  EXPECT_EQ(Poll(0.02f), "7");  // still held when the hold ends
  PushKey(SDL_SCANCODE_RETURN, true);
  EXPECT_EQ(Poll(), "4");
  EXPECT_EQ(Poll(), "");
  PushKey(SDL_SCANCODE_RETURN, false);
  EXPECT_EQ(Poll(), "");
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_PAGEDOWN, true);
  PushKey(SDL_SCANCODE_ESCAPE, true);
  EXPECT_EQ(Poll(), "4 5 8");
}

TEST_F(MenuKeysTest, ControllerZerosHatAndButtonsCount) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  Poll(0.2f);
  SetHat(kit, SDL_HAT_DOWN);
  SetButton(kit, 6, true);
  SetButton(kit, 0, true);
  EXPECT_EQ(Poll(), "1 5 11");
  SetHat(kit, SDL_HAT_UP);
  EXPECT_EQ(Poll(), "0");
  SetHat(kit, SDL_HAT_RIGHT);
  SetButton(kit, 1, true);
  EXPECT_EQ(Poll(), "3 10");
}

}  // namespace
