#include "backline/controls/menu_keys.h"

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

// One event a frame, each press once, in the order pressed; presses made
// during the start-up hold wait for its end.
TEST_F(MenuKeysTest, EveryPressComesOutOnceInOrderOnePerFrame) {
  Start();
  PushKey(SDL_SCANCODE_SPACE, true);
  EXPECT_EQ(Poll(0.05f), "");
  EXPECT_EQ(Poll(0.04f), "");
  EXPECT_EQ(Poll(0.02f), "7");  // pressed during the hold
  EXPECT_EQ(Poll(), "");        // held: no new press
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_PAGEDOWN, true);
  PushKey(SDL_SCANCODE_ESCAPE, true);
  EXPECT_EQ(Poll(), "4");
  EXPECT_EQ(Poll(), "8");
  EXPECT_EQ(Poll(), "5");
  EXPECT_EQ(Poll(), "");
  EXPECT_TRUE(m_keys.held[MenuEnter]);

  for (bool down : {false, true, false, true}) PushKey(SDL_SCANCODE_DOWN, down);  // two presses in one frame
  PushKey(SDL_SCANCODE_RETURN, false);
  PushKey(SDL_SCANCODE_RETURN, true);
  EXPECT_EQ(Poll(), "1");
  EXPECT_EQ(Poll(), "1");
  EXPECT_EQ(Poll(), "4");
  EXPECT_EQ(Poll(), "");
}

TEST_F(MenuKeysTest, TheQueueKeepsThirtyTwoPressesAndDropsTheNewest) {
  Start();
  Poll(0.2f);
  for (int i = 0; i < MenuKeys::kQueueCapacity; ++i) {
    PushKey(SDL_SCANCODE_UP, true);
    PushKey(SDL_SCANCODE_UP, false);
  }
  PushKey(SDL_SCANCODE_RETURN, true);  // one too many
  for (int i = 0; i < MenuKeys::kQueueCapacity; ++i) ASSERT_EQ(Poll(), "0") << i;
  EXPECT_EQ(Poll(), "");
}

TEST_F(MenuKeysTest, ControllerZerosHatAndButtonsCountInTheOrderStruck) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  Poll(0.2f);
  SetHat(kit, SDL_HAT_DOWN);
  SetButton(kit, 6, true);
  SetButton(kit, 0, true);
  PushKey(SDL_SCANCODE_TAB, true);  // pumped by the frame: after the kit's presses
  EXPECT_EQ(Poll(), "1");
  EXPECT_EQ(Poll(), "5");
  EXPECT_EQ(Poll(), "11");
  EXPECT_EQ(Poll(), "6");
  SetHat(kit, SDL_HAT_UP);
  EXPECT_EQ(Poll(), "0");
  SetHat(kit, SDL_HAT_RIGHT);
  SetButton(kit, 1, true);
  EXPECT_EQ(Poll(), "3");
  EXPECT_EQ(Poll(), "10");
  SetButton(kit, 1, false);
  SetButton(kit, 1, true);  // a new strike while the last frame read it held
  EXPECT_EQ(Poll(), "10");
}

// Free Play: a drummer's strikes must not queue up ahead of Escape.
TEST_F(MenuKeysTest, WhileThePadsPlayTheirStrikesAreNoMenuPresses) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  Poll(0.2f);
  m_keys.padsPlay = true;
  for (int button : {0, 1, 2, 3}) SetButton(kit, button, true);
  SetButton(kit, 6, true);
  SetHat(kit, SDL_HAT_DOWN);
  PushKey(SDL_SCANCODE_ESCAPE, true);
  EXPECT_EQ(Poll(), "5");
  EXPECT_TRUE(m_keys.held[MenuPadButton0]);
  EXPECT_EQ(Poll(), "1");
  EXPECT_EQ(Poll(), "5");
  EXPECT_EQ(Poll(), "");
  m_keys.padsPlay = false;
  SetButton(kit, 2, false);
  SetButton(kit, 2, true);
  EXPECT_EQ(Poll(), "12");
}

}  // namespace
