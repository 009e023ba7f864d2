#include "backline/app/kit_controls.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/support/virtual_input.h"

namespace {

// The kits' Start buttons and D-pads read from the frames of a running input.
class KitControlsTest : public test::VirtualInputTest {
 protected:
  void StartKits() {
    Start();
    InitPadMap(&m_map, &m_input);
  }
  int StartPressesAfter(SDL_Joystick* kit, int button) {
    SetButton(kit, button, true);
    SetButton(kit, button, false);
    Frame();
    return KitStartPresses(&m_input, m_map);
  }
  // One frame with kit's D-pad at hat.
  KitTempoKeys TempoAfter(SDL_Joystick* kit, Uint8 hat) {
    SetHat(kit, hat);
    Frame();
    return ReadKitTempo(&m_pads, m_input);
  }

  PadMap m_map;
  KitTempoPads m_pads;
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

TEST_F(KitControlsTest, ADPadPushIsATempoKeyUntilLetGo) {
  SDL_Joystick* kit = Attach(0x12BA, 0x0210, "Harmonix Drum Kit for PlayStation(R)3", 13, 1, 4);
  StartKits();
  KitTempoKeys keys = TempoAfter(kit, SDL_HAT_UP);
  EXPECT_TRUE(keys.raise);
  EXPECT_FALSE(keys.lower);
  EXPECT_TRUE(TempoAfter(kit, SDL_HAT_UP).raise);  // held
  keys = TempoAfter(kit, SDL_HAT_DOWN);
  EXPECT_FALSE(keys.raise);
  EXPECT_TRUE(keys.lower);
  keys = TempoAfter(kit, SDL_HAT_CENTERED);
  EXPECT_FALSE(keys.raise || keys.lower);
}

// A pro kit's blue cymbal: square and D-pad down in one report, square let
// go a moment before the D-pad.
TEST_F(KitControlsTest, ADPadPushThatComesWithAPadIsACymbalUntilLetGo) {
  SDL_Joystick* kit = Attach(0x12BA, 0x0210, "Harmonix Drum Kit for PlayStation(R)3", 13, 1, 4);
  StartKits();
  SetButton(kit, 0, true);
  EXPECT_FALSE(TempoAfter(kit, SDL_HAT_DOWN).lower);
  SetButton(kit, 0, false);
  EXPECT_FALSE(TempoAfter(kit, SDL_HAT_DOWN).lower);
  EXPECT_FALSE(TempoAfter(kit, SDL_HAT_CENTERED).lower);
  EXPECT_TRUE(TempoAfter(kit, SDL_HAT_DOWN).lower);  // a push of its own
}

}  // namespace
