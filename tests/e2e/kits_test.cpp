// The kits end to end: every model the program knows found and played, kits
// plugged in and out while it runs, and a kit running the metronome. The real
// program, headless, played with virtual kits (SDL virtual joysticks).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "backline/common/pad_slots.h"
#include "backline/recording/plr_file.h"
#include "backline/scene/drum_set.h"
#include "basalt/input/input.h"
#include "tests/support/app_script.h"

namespace {

constexpr uint16_t kUnknownVendor = 0x046D, kUnknownProduct = 0xC216;

std::string FoundLines(uint16_t vendor, uint16_t product, const char* modelText) {
  const auto key = static_cast<int32_t>(static_cast<uint32_t>(product) << 16 | vendor);
  return "   Found joystick device: \"Virtual Drum Kit\" (" + std::to_string(key) + "-0-0-00807368867368)\n" +
         modelText + "\n";
}

int Joysticks() { return Basalt::g_pInput->GetNumJoys(); }

class KitsTest : public test::ScriptedAppTest {
 protected:
  // A press and release of a kit that is plugged in later (kit is read when
  // the step runs), one frame each.
  void HitLater(SDL_Joystick* const& kit, int button) {
    Then([&kit, button](AppView&) { SetButton(kit, button, true); });
    Then([&kit, button](AppView&) { SetButton(kit, button, false); });
  }
  // A tempo key (the Up or Down arrow), or a kit's D-pad pushed one way,
  // held for `frames` frames and let go.
  void HoldKey(SDL_Scancode key, int frames) {
    Then([key](AppView&) { PushKey(key, true); });
    Frames(frames);
    Then([key](AppView&) { PushKey(key, false); });
  }
  void HoldDPad(SDL_Joystick* kit, Uint8 direction, int frames) {
    Then([=](AppView&) { SetHat(kit, direction); });
    Frames(frames);
    Then([=](AppView&) { SetHat(kit, SDL_HAT_CENTERED); });
  }
  // Writes down the tempo at this point of the script.
  void NoteBpm(unsigned* bpm) {
    Then([bpm](AppView& app) { *bpm = app.metronome.bpm; });
  }
  static std::vector<int> Played() {
    std::lock_guard<std::mutex> lock(s_soundsMutex);
    return s_played;
  }
};

// A model as its public documentation describes it: its ids, the line the
// log names it with, the pad each of its buttons 0..3 is (the program's kit
// 0 plays pad slots 0 red, 1 yellow, 2 blue, 3 green, 4 the bass pedal) and
// its Start button.
struct KitModel {
  uint16_t vendor, product;
  const char* logText;
  int padOfButton[4];
  int start;
};

void PrintTo(const KitModel& model, std::ostream* os) { *os << model.logText; }

class EveryKitTest : public KitsTest, public ::testing::WithParamInterface<KitModel> {};

TEST_P(EveryKitTest, IsFoundPlaysItsPadsAndItsStartButtonSwitchesTheMetronome) {
  const KitModel& model = GetParam();
  SDL_Joystick* kit = AttachKit(model.vendor, model.product);
  Choose(0);
  WaitForMode(FreePlay);
  for (int button = 0; button < 5; ++button) Hit(kit, button);
  Hit(kit, model.start);
  Then([](AppView& app) { EXPECT_TRUE(app.metronome.on); });
  Hit(kit, model.start);
  Then([](AppView& app) {
    EXPECT_FALSE(app.metronome.on);
    EXPECT_EQ(app.mode, FreePlay);  // Start is no menu key
  });
  ASSERT_TRUE(RunScript());
  EXPECT_NE(LogText().find(FoundLines(model.vendor, model.product, model.logText)), std::string::npos);
  const std::vector<int> expected = {model.padOfButton[0], model.padOfButton[1], model.padOfButton[2],
                                     model.padOfButton[3], BassPedal};
  EXPECT_EQ(Played(), expected);
}

constexpr int kBlue = BluePad, kGreen = GreenPad, kRed = RedPad, kYellow = YellowPad;

// PlayStation and Wii kits: square (blue), cross (green), circle (red),
// triangle (yellow), L1 the pedal, ..., select, start; the PlayStation 4 kit
// the same with share and options. 360 kits through xpad: A (green), B (red),
// X (blue), Y (yellow), LB the pedal, RB, Back, Start.
INSTANTIATE_TEST_SUITE_P(
    LaterModels, EveryKitTest,
    ::testing::Values(
        KitModel{0x12BA, 0x0120, "    (PS3 Guitar Hero drumset)", {kBlue, kGreen, kRed, kYellow}, 9},
        KitModel{0x12BA, 0x0218, "    (PS3 MIDI Pro Adapter drums)", {kBlue, kGreen, kRed, kYellow}, 9},
        KitModel{0x1BAD, 0x3110, "    (Wii drumset 2)", {kBlue, kGreen, kRed, kYellow}, 9},
        KitModel{0x0738, 0x8262, "    (PS4 Madcatz drumset)", {kBlue, kGreen, kRed, kYellow}, 9},
        KitModel{0x045E, 0x0291, "    (Wireless 360 Controller for Xbox)", {kGreen, kRed, kBlue, kYellow}, 7}));

INSTANTIATE_TEST_SUITE_P(
    FirstModels, EveryKitTest,
    ::testing::Values(KitModel{0x1BAD, 0x0003, "    (360 drumset A)", {kGreen, kRed, kBlue, kYellow}, 7},
                      KitModel{0x12BA, 0x0210, "    (PlayStation drumset)", {kBlue, kGreen, kRed, kYellow}, 9},
                      KitModel{0x1BAD, 0x0005, "    (Wii drumset)", {kBlue, kGreen, kRed, kYellow}, 9}));

// The program has always played the Mad Catz kit through a row of its own;
// its Start button is xpad's.
TEST_F(KitsTest, TheMadCatzKitsStartButtonSwitchesTheMetronome) {
  SDL_Joystick* kit = AttachKit(0x0738, 0x9871);
  Choose(0);
  WaitForMode(FreePlay);
  Hit(kit, 7);
  Then([](AppView& app) { EXPECT_TRUE(app.metronome.on); });
  ASSERT_TRUE(RunScript());
}

TEST_F(KitsTest, AKitPluggedInDuringFreePlayPlaysAtOnceASecondShowsTwoKitsAndLeavingGoesBackToOne) {
  SDL_Joystick* first = nullptr;
  SDL_Joystick* second = nullptr;
  Choose(0);
  WaitForMode(FreePlay);
  Then([&](AppView& app) {
    EXPECT_EQ(Joysticks(), 0);
    EXPECT_EQ(app.drumSet->GetKitCount(), 1u);
    app.instrument.volumes.Set(PadSlotOf(0, RedPad), 0.5f);  // the user's volume, which switching keeps
    first = AttachKit(0x12BA, 0x0120);
  });
  Then([&](AppView& app) {
    EXPECT_EQ(Joysticks(), 1);
    EXPECT_EQ(app.numDrumSets, 1u);
  });
  HitLater(first, 2);  // circle: kit 0's red pad
  Then([&](AppView&) { second = AttachKit(0x1BAD, 0x0003); });
  Then([&](AppView& app) {
    EXPECT_EQ(Joysticks(), 2);
    EXPECT_EQ(app.numDrumSets, 2u);
    EXPECT_EQ(app.drumSet->GetKitCount(), 2u);
    EXPECT_EQ(app.instrument.volumes.volume[PadSlotOf(0, RedPad)], 0.5f);
  });
  HitLater(second, 1);  // B: kit 1's red pad
  Then([&](AppView&) { DetachKit(second); });
  Then([&](AppView& app) {
    EXPECT_EQ(app.numDrumSets, 1u);
    EXPECT_EQ(app.drumSet->GetKitCount(), 1u);
    EXPECT_EQ(app.instrument.volumes.volume[PadSlotOf(0, RedPad)], 0.5f);
  });
  HitLater(first, 2);
  ASSERT_TRUE(RunScript());
  EXPECT_EQ(Played(), (std::vector<int>{PadSlotOf(0, RedPad), PadSlotOf(1, RedPad), PadSlotOf(0, RedPad)}));
  const std::string log = LogText();
  EXPECT_NE(log.find(FoundLines(0x12BA, 0x0120, "    (PS3 Guitar Hero drumset)") +
                     "   Controller 0 plugged in: \"Virtual Drum Kit\"\n"),
            std::string::npos);
  EXPECT_NE(log.find(FoundLines(0x1BAD, 0x0003, "    (360 drumset A)") +
                     "   Controller 1 plugged in: \"Virtual Drum Kit\"\n"),
            std::string::npos);
  EXPECT_NE(log.find("   Controller 1 unplugged: \"Virtual Drum Kit\""), std::string::npos);
}

TEST_F(KitsTest, AKitLeavingDuringARecordingStaysInTheDrumSetUntilTheRecordingEnds) {
  AttachKit();
  SDL_Joystick* second = AttachKit();
  Choose(2);
  WaitForMode(Record);
  Hit(second, 0);  // the recording starts
  Then([&](AppView&) { DetachKit(second); });
  Frames(2);
  Then([](AppView& app) {
    EXPECT_TRUE(app.screens.recorder.started);
    EXPECT_EQ(app.numDrumSets, 2u);
    EXPECT_EQ(app.drumSet->GetKitCount(), 2u);
  });
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, SaveRecordingName);
    EXPECT_EQ(app.recording.kitCount, 2);  // the take keeps the kit it was played with
    EXPECT_EQ(app.numDrumSets, 1u);
    EXPECT_EQ(app.drumSet->GetKitCount(), 1u);
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(KitsTest, AKitArrivingDuringPlaybackJoinsTheDrumSetWhenThePlaybackEnds) {
  Recording solo;
  solo.kitCount = 1;
  solo.length = 5000;
  solo.tracks[0] = {0, 4000};
  const std::vector<uint8_t> bytes = EncodeRecording(solo);
  test::WriteFile("recordings/solo.plr", std::string(bytes.begin(), bytes.end()));
  AttachKit();
  Choose(3);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Then([this](AppView&) { AttachKit(); });
  Frames(2);
  Then([](AppView& app) {
    EXPECT_EQ(Joysticks(), 2);
    EXPECT_EQ(app.drumSet->GetKitCount(), 1u);  // the recording's kits while it plays
  });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  Frames(1);
  Then([](AppView& app) {
    EXPECT_EQ(app.numDrumSets, 2u);
    EXPECT_EQ(app.drumSet->GetKitCount(), 2u);
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(KitsTest, AnUnrecognisedJoystickPluggedInIsLoggedAndIgnored) {
  SDL_Joystick* kit = AttachKit();
  SDL_Joystick* pad = nullptr;
  Choose(0);
  WaitForMode(FreePlay);
  Then([&](AppView&) { pad = AttachKit(kUnknownVendor, kUnknownProduct); });
  HitLater(pad, 0);
  Hit(kit, 1);
  Then([](AppView& app) {
    EXPECT_EQ(Joysticks(), 1);
    EXPECT_EQ(app.numDrumSets, 1u);
  });
  ASSERT_TRUE(RunScript());
  EXPECT_NE(LogText().find(FoundLines(kUnknownVendor, kUnknownProduct, "    (Unrecognized)")), std::string::npos);
  EXPECT_EQ(Played(), std::vector<int>{PadSlotOf(0, RedPad)});
}

TEST_F(KitsTest, AFifthControllerPluggedInIsLeftOut) {
  for (int kit = 0; kit < 4; ++kit) AttachKit();
  SDL_Joystick* fifth = nullptr;
  Choose(0);
  WaitForMode(FreePlay);
  Then([&](AppView&) { fifth = AttachKit(0x1BAD, 0x3110); });
  HitLater(fifth, 0);
  Then([](AppView& app) {
    EXPECT_EQ(Joysticks(), 4);
    EXPECT_EQ(app.numDrumSets, 4u);
  });
  ASSERT_TRUE(RunScript());
  EXPECT_NE(LogText().find(FoundLines(0x1BAD, 0x3110, "    (Wii drumset 2)") +
                           "    (not used: four controllers are in use already)\n"),
            std::string::npos);
  EXPECT_TRUE(Played().empty());
}

TEST_F(KitsTest, InFreePlayTheKitsDPadStepsTheTempoAsTheArrowKeysDoButACymbalDoesNot) {
  SDL_Joystick* kit = AttachKit();
  unsigned start = 0, afterDPad = 0, afterKeys = 0, afterCymbal = 0, afterDown = 0;
  Choose(0);
  WaitForMode(FreePlay);
  Hit(kit, 7);
  NoteBpm(&start);
  HoldDPad(kit, SDL_HAT_UP, 40);
  NoteBpm(&afterDPad);
  Wait(1000);
  HoldKey(SDL_SCANCODE_UP, 40);
  NoteBpm(&afterKeys);
  Wait(1000);
  // The yellow cymbal: Y and D-pad up in one report; Y let go first.
  Then([kit](AppView&) {
    SetButton(kit, 3, true);
    SetHat(kit, SDL_HAT_UP);
  });
  Frames(5);
  Then([kit](AppView&) { SetButton(kit, 3, false); });
  Frames(35);
  Then([kit](AppView&) { SetHat(kit, SDL_HAT_CENTERED); });
  NoteBpm(&afterCymbal);
  Wait(1000);
  HoldDPad(kit, SDL_HAT_DOWN, 1);
  NoteBpm(&afterDown);
  ASSERT_TRUE(RunScript());
  EXPECT_EQ(start, 120u);
  EXPECT_GT(afterDPad, start + 1);  // held: it repeats
  EXPECT_EQ(afterKeys - afterDPad, afterDPad - start);
  EXPECT_EQ(afterCymbal, afterKeys);
  EXPECT_EQ(afterDown, afterCymbal - 1);
}

TEST_F(KitsTest, InRecordTheStartButtonSwitchesTheMetronomeAndTheDPadStepsTheTempo) {
  SDL_Joystick* kit = AttachKit(0x12BA, 0x0210);
  Choose(2);
  WaitForMode(Record);
  Then([](AppView& app) { EXPECT_TRUE(app.metronome.on); });  // the recording screen starts it
  Hit(kit, 9);
  Then([](AppView& app) { EXPECT_FALSE(app.metronome.on); });
  HoldDPad(kit, SDL_HAT_UP, 1);
  Then([](AppView& app) { EXPECT_EQ(app.metronome.bpm, 120u); });  // off: the tempo stays
  Hit(kit, 9);
  HoldDPad(kit, SDL_HAT_UP, 1);
  Then([](AppView& app) {
    EXPECT_TRUE(app.metronome.on);
    EXPECT_EQ(app.metronome.bpm, 121u);
    EXPECT_EQ(app.mode, Record);
    EXPECT_FALSE(app.screens.recorder.started);  // Start and the D-pad are no strikes
  });
  ASSERT_TRUE(RunScript());
}

}  // namespace
