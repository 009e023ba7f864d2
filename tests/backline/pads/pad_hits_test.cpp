#include "backline/pads/pad_hits.h"

#include <gtest/gtest.h>

#include <string>

#include "backline/app/app_clock.h"
#include "backline/app/app_cvars.h"
#include "backline/pads/pad_flash.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/virtual_input.h"

namespace {

uint32_t g_now = 1000;
uint32_t FakeNow() { return g_now; }

constexpr uint16_t kHarmonix = 0x1BAD;

// Real CInput with virtual kits and keys, the pad model, and a recording
// sound back end: what each frame's strikes played.
class PadHitsTest : public test::VirtualInputTest {
 protected:
  void SetUp() override {
    VirtualInputTest::SetUp();
    SetTimeMsSource(&FakeNow);
    g_now = 1000;
  }
  void TearDown() override {
    SetTimeMsSource(nullptr);
    g_usePollMethod = 0;
    g_redefinePads = false;
    g_redPad = 3;
    VirtualInputTest::TearDown();
  }
  void StartPads(const CInput* input) {
    InitPadMap(&m_map, input);
    m_play = PadPlayState{&m_map, &m_pads, &m_volumes, false};
  }
  void StartAll() {
    Start();
    StartPads(&m_input);
  }
  // One frame of Free Play's hit handling; returns the sound slots played.
  std::string PlayFrame(uint32_t advanceMs = 16) {
    g_now += advanceMs;
    Frame();
    UpdateSecondariesModifier(&m_play.secondariesHeld, m_pads, &m_input);
    m_sound.Clear();
    PlayPadHits(&m_hits, m_play, &m_input, &m_strikes);
    return m_sound.Played();
  }
  void Hold(SDL_Joystick* kit, std::initializer_list<int> buttons, bool down = true) {
    for (int button : buttons) SetButton(kit, button, down);
  }

  test::FakeSound m_sound;
  PadMap m_map;
  PadAssignment m_pads;
  PadVolumes m_volumes;
  PadPlayState m_play{};
  HitState m_hits;
  FrameStrikes m_strikes;
};

TEST_F(PadHitsTest, WithoutAControllerTheKeysPlayKitZeroThroughTheGenericRow) {
  StartAll();
  EXPECT_EQ(m_map.numControllers, 0);
  for (SDL_Scancode key : {SDL_SCANCODE_A, SDL_SCANCODE_S, SDL_SCANCODE_D, SDL_SCANCODE_F, SDL_SCANCODE_X})
    PushKey(key, true);
  EXPECT_EQ(PlayFrame(), "2 3 0 1 4");  // blue, green, red, yellow, pedal
  ASSERT_EQ(m_strikes.count, 5);
  EXPECT_EQ(m_strikes.strikes[0].button, 0);
  EXPECT_EQ(m_strikes.strikes[0].padSlot, 2);
  EXPECT_EQ(PlayFrame(), "");  // held
  PushKey(SDL_SCANCODE_A, false);
  EXPECT_EQ(PlayFrame(), "");
  PushKey(SDL_SCANCODE_A, true);
  EXPECT_EQ(PlayFrame(), "2");
}

TEST_F(PadHitsTest, EachControllerKindHasItsOwnRow) {
  SDL_Joystick* drums360 = AttachDrumsetA();
  SDL_Joystick* wii = Attach(kHarmonix, 0x0005, "Wii kit");
  Attach(0x0738, 0x9871, "MadCatz");
  Attach(kHarmonix, 0x0002, "Guitar");  // recognised, not drums: still a controller
  StartAll();
  ASSERT_EQ(m_map.numControllers, 4);
  EXPECT_EQ(m_map.kind[0], Xbox360Kind);
  EXPECT_EQ(m_map.kind[1], WiiKind);
  EXPECT_EQ(m_map.kind[2], MadCatzKind);
  EXPECT_EQ(m_map.kind[3], Xbox360Kind);
  Hold(drums360, {0, 1, 2, 3, 4});
  Hold(wii, {0, 1});
  EXPECT_EQ(PlayFrame(), "3 0 2 1 4 7 8");  // 360: green, red, blue, yellow, pedal; Wii: blue, green
  EXPECT_EQ(m_strikes.strikes[6].kit, 1);
  EXPECT_EQ(MapButtonToPad(m_map, 0, MadCatzKind), RedPad);
  EXPECT_EQ(MapButtonToPad(m_map, 3, MadCatzKind), GreenPad);
}

TEST_F(PadHitsTest, RedefinedPadsReplaceEveryRowAndRefuseNonPads) {
  g_redefinePads = true;
  g_redPad = 0;
  g_bassDrum = 7;
  StartPads(nullptr);
  g_bassDrum = 4;
  for (ControllerKind kind : {Xbox360Kind, GenericKind, WiiKind, MadCatzKind})
    EXPECT_EQ(MapButtonToPad(m_map, 0, kind), RedPad) << kind;
  EXPECT_EQ(MapButtonToPad(m_map, 1, GenericKind), RedPad);  // g_yellowPad's default
  EXPECT_EQ(MapButtonToPad(m_map, 4, GenericKind), BassPedal);
  EXPECT_EQ(LogText(), "g_bassDrum = 7 is not a pad (0..4); button 4 keeps pad 4\n");
}

TEST_F(PadHitsTest, ThePollingMethodRepeatsAHeldPadAfterTheThresholdAndThePedalOnce) {
  g_usePollMethod = 1;
  SDL_Joystick* kit = AttachDrumsetA();
  StartAll();
  Hold(kit, {1, 4});
  EXPECT_EQ(PlayFrame(), "0 4");
  EXPECT_EQ(PlayFrame(50), "");
  EXPECT_EQ(PlayFrame(40), "");  // 90 ms: not more than the threshold
  EXPECT_EQ(PlayFrame(1), "0");
  Hold(kit, {1}, false);
  EXPECT_EQ(PlayFrame(10), "");
  Hold(kit, {1});
  EXPECT_EQ(PlayFrame(10), "");  // struck again too soon: never closer than the threshold
  EXPECT_EQ(PlayFrame(71), "0");
}

TEST_F(PadHitsTest, TheSecondariesPedalSwitchesPadsThatHaveASecondary) {
  SDL_Joystick* kit = AttachDrumsetA();
  StartAll();
  m_pads.function[4] = EnableSecondaries;
  m_pads.secondary[0] = 7;  // red has a secondary, blue has none
  Hold(kit, {4});
  EXPECT_EQ(PlayFrame(), "4");  // the pedal still plays its own sound
  EXPECT_TRUE(m_play.secondariesHeld);
  Hold(kit, {1, 2});
  EXPECT_EQ(PlayFrame(), "10 2");
  EXPECT_TRUE(m_strikes.strikes[0].secondary);
  Hold(kit, {1, 2, 4}, false);
  PlayFrame();
  EXPECT_FALSE(m_play.secondariesHeld);
  Hold(kit, {1});
  EXPECT_EQ(PlayFrame(), "0");
}

TEST_F(PadHitsTest, WithBothPedalsSetTheSecondKitsPedalDecides) {
  SDL_Joystick* first = AttachDrumsetA();
  AttachDrumsetA();
  StartAll();
  m_pads.function[4] = m_pads.function[9] = EnableSecondaries;
  Hold(first, {4});
  PlayFrame();
  EXPECT_FALSE(m_play.secondariesHeld);

  m_pads.function[9] = NormalFunction;
  PlayFrame();
  EXPECT_TRUE(m_play.secondariesHeld);
  m_pads.function[4] = NormalFunction;
  Hold(first, {4}, false);
  PlayFrame();
  EXPECT_TRUE(m_play.secondariesHeld);  // neither pedal has the function: the value stays
}

TEST_F(PadHitsTest, WithoutInputNothingIsStruckAndStrikesPlayAtTheSlotsVolume) {
  StartPads(nullptr);
  EXPECT_EQ(m_map.numControllers, 0);
  EXPECT_FALSE(DetectPadHit(&m_hits, nullptr, 0, 0));
  PlayPadHits(&m_hits, m_play, nullptr, &m_strikes);
  EXPECT_EQ(m_strikes.count, 0);
  bool held = true;
  m_pads.function[4] = EnableSecondaries;
  UpdateSecondariesModifier(&held, m_pads, nullptr);
  EXPECT_FALSE(held);

  m_volumes.Set(13, 0.4f);
  EXPECT_EQ(StrikePadSlot(3, true, m_volumes), 3);
  EXPECT_EQ(PadHit(m_map, 1, 4, false, m_volumes), 9);
  EXPECT_EQ(m_sound.Log(), "play 13 0.40\nplay 9 1.00\n");
}

TEST(PadFlashTest, AHitSetsItsPadsChannelsAndTheFlashFadesBackWithinPointFourSeconds) {
  PadColour colour;
  colour.red = 0.9f;
  FlashPadColour(&colour, RedPad);
  EXPECT_EQ(colour.red, 0.9f);  // kept
  EXPECT_EQ(colour.green, 0.0f);
  FlashPadColour(&colour, BassPedal);
  EXPECT_EQ(colour.green, 0.5f);
  FadePadColour(&colour, 0.2f);
  EXPECT_EQ(colour.red, 1.0f);
  EXPECT_EQ(colour.green, 1.0f);
  EXPECT_FLOAT_EQ(colour.blue, 0.5f);
  FadePadColour(&colour, 0.2f);
  EXPECT_EQ(colour.blue, 1.0f);
}

}  // namespace
