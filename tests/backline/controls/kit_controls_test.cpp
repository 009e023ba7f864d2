#include "backline/controls/kit_controls.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/support/virtual_input.h"

namespace {

// The kits' Start buttons read from the frames of a running input.
class KitControlsTest : public test::VirtualInputTest {
 protected:
  void StartKits() {
    Start();
    InitializePadMap(&m_map, &m_input);
  }
  int StartPressesAfter(SDL_Joystick* kit, int button) {
    SetButton(kit, button, true);
    SetButton(kit, button, false);
    Frame();
    return KitStartPresses(&m_input, m_map);
  }
  PadMap m_map;
};

// A 360 kit's button 9 is its second kick pedal and a PlayStation kit's
// button 7 its R2: only each kind's own Start button counts.
TEST_F(KitControlsTest, EachKindsOwnStartButtonCountsAndNoOtherKindsNumber) {
  SDL_Joystick* xbox = Attach(0x1BAD, 0x0003, "Harmonix Drum Kit", 15, 1, 6);
  SDL_Joystick* playStation = Attach(0x12BA, 0x0210, "Harmonix Drum Kit for PlayStation(R)3", 13, 1, 4);
  StartKits();
  EXPECT_EQ(StartPressesAfter(xbox, 9), 0);
  EXPECT_EQ(StartPressesAfter(playStation, 7), 0);
  EXPECT_EQ(StartPressesAfter(xbox, 7), 1);
  EXPECT_EQ(StartPressesAfter(playStation, 9), 1);
  SetButton(xbox, 7, true);
  SetButton(xbox, 7, false);
  SetButton(playStation, 9, true);
  Frame();
  EXPECT_EQ(KitStartPresses(&m_input, m_map), 2);  // every press counts
  EXPECT_EQ(KitStartPresses(nullptr, m_map), 0);
}

}  // namespace
