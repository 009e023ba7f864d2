// The instrument end to end: the real program, headless, in a generated game
// directory, played with virtual kits and keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "backline/app/default_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/pads/velocity_curve.h"
#include "backline/scene/camera.h"
#include "backline/scene/drum_set.h"
#include "backline/sound/voice_engine.h"
#include "basalt/graphics/mesh_manager.h"
#include "tests/support/app_harness.h"
#include "tests/support/virtual_kit.h"

namespace {

class InstrumentTest : public test::AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    test::WriteFile("rmd.dat", "n");
  }
  // The mode the program chose at start-up.
  ScreenId FirstMode() {
    ScreenId mode = MainMenu;
    Run([&](AppView& app, int frame) {
      if (frame == AppHarness::kStarted) mode = app.mode;
      return false;
    });
    return mode;
  }
  static int Count(int slot) { return static_cast<int>(std::count(s_played.begin(), s_played.end(), slot)); }
};

TEST_F(InstrumentTest, AFirstStartWritesTheSettingsAndAsksAboutUpdates) {
  std::remove("rmd.dat");
  Run([&](AppView& app, int) {
    EXPECT_EQ(app.mode, UpdatePrompt);
    for (int slot = 0; slot < kPadSlots; ++slot) EXPECT_GE(app.instrument.pads.primary[slot], 0) << slot;  // the starter kit
    return false;
  });
  EXPECT_EQ(test::ReadFile("settings.cfg"), DefaultSettingsText());
  EXPECT_EQ(boxes.size(), 1u);  // no kit
  EXPECT_EQ(boxes[0].substr(0, 16), "Drums not found|");
  const std::string log = LogText();
  for (const char* line : {"Initializing Sound...", "Sound Initialized!", "0 drumsets found!",
                           "Loading default preset...", "JoystickInitialize failed! Rock Band drum kit not found!"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  EXPECT_EQ(log.find("cannot load default.preset!"), std::string::npos);
  EXPECT_EQ(log.find("unknown command"), std::string::npos);
}

TEST_F(InstrumentTest, TheRememberedAnswerDecidesTheFirstScreen) {
  EXPECT_EQ(FirstMode(), MainMenu);
  test::WriteFile("rmd.dat", "y");
  EXPECT_EQ(FirstMode(), UpdateCheck);
  test::WriteFile("rmd.dat", "?");
  EXPECT_EQ(FirstMode(), MainMenu);
  test::WriteFile("rmd.dat", "y");
  test::WriteFile("settings.cfg", "g_noUpdateCheck = 1\n");
  EXPECT_EQ(FirstMode(), MainMenu);
}

TEST_F(InstrumentTest, WithoutAKitTheKeysPlayKitZeroThroughTheGenericRow) {
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      PushKey(SDL_SCANCODE_A, true);  // button 0: the blue pad
    }
    if (frame == 1) {
      EXPECT_EQ(app.drumSet->subsetColours[2][0], 0.0f);  // blue's flash takes red and green away
      PushKey(SDL_SCANCODE_A, false);
      PushKey(SDL_SCANCODE_D, true);  // button 2: the red pad
      PushKey(SDL_SCANCODE_X, true);  // button 4: the bass pedal
    }
    return frame < 3;
  });
  EXPECT_EQ(s_played, (std::vector<int>{2, 0, 4}));
}

TEST_F(InstrumentTest, AKitsButtonsPlayTheirPadsAndFlashThem) {
  SDL_Joystick* kit = AttachKit();
  ASSERT_NE(kit, nullptr);
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      SetButton(kit, 0, true);  // a 360 kit's button 0 is the green pad
    }
    if (frame == 1) {
      EXPECT_LT(app.drumSet->subsetColours[3][0], 1.0f);
      EXPECT_EQ(app.drumSet->subsetColours[3][1], 1.0f);
      SetButton(kit, 0, false);
      SetButton(kit, 1, true);  // the red pad
    }
    return frame < 3;
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(s_played, (std::vector<int>{3, 0}));
}

TEST_F(InstrumentTest, ThePollingMethodRepeatsAHeldPadButThePedalOnlyOnce) {
  test::WriteFile("settings.cfg", "g_usePollMethod = 1\n");
  SDL_Joystick* kit = AttachKit();
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
    }
    AdvanceClock(30);  // 30 ms frames: the held pad repeats every fourth frame (more than 90 ms)
    if (frame == 0) {
      SetButton(kit, 1, true);
      SetButton(kit, 4, true);
    }
    return frame < 11;
  });
  EXPECT_EQ(Count(4), 1);
  EXPECT_EQ(Count(0), 3);
}

TEST_F(InstrumentTest, TheSecondariesPedalSwitchesAPadToItsSecondarySound) {
  SDL_Joystick* kit = AttachKit();
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      app.instrument.pads.function[4] = EnableSecondaries;
      SetButton(kit, 4, true);  // hold the pedal
    }
    if (frame == 1) SetButton(kit, 1, true);  // the red pad: slot 0, whose secondary is slot 10
    return frame < 3;
  });
  EXPECT_EQ(s_played, (std::vector<int>{4, 10}));
}

// Presses that begin and end between two frames are all heard and shown.
TEST_F(InstrumentTest, EveryStrikeBetweenTwoFramesSoundsAndFlashes) {
  SDL_Joystick* kit = AttachKit();
  std::vector<int> strikesShown;
  Run([&](AppView& app, int frame) {
    if (frame > 0) strikesShown.push_back(app.instrument.Strikes().count);
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      SetButton(kit, 1, true);  // the red pad, held
    }
    if (frame == 1) {  // a release and a re-press
      SetButton(kit, 1, false);
      SetButton(kit, 1, true);
    }
    if (frame == 2) {
      for (int strike = 0; strike < 2; ++strike) {  // two whole strikes of the blue pad
        SetButton(kit, 2, true);
        SetButton(kit, 2, false);
      }
    }
    if (frame == 3) {
      EXPECT_LT(app.drumSet->subsetColours[2][0], 1.0f);  // blue flashes
    }
    return frame < 3;
  });
  EXPECT_EQ(s_played, (std::vector<int>{0, 0, 2, 2}));
  EXPECT_EQ(strikesShown, (std::vector<int>{1, 1, 2}));
}

// A 360 kit's red pad struck softly, then hard, its strength on its axis as
// the kit reports it: the same sample, heard at the two levels the soft
// curve gives the two strengths (no pitch spread, so the two sounds differ
// in level alone).
TEST_F(InstrumentTest, A360KitStruckSoftAndHardPlaysOneSampleAtTheCurvesTwoLevels) {
  test::WriteFile("settings.cfg", "g_freqVariation = 0\n");
  SDL_Joystick* kit = AttachKit();
  ListenToOutput(30.0);
  constexpr float kSoft = 0.3f, kHard = 0.9f;
  const auto kSecond = static_cast<size_t>(VoiceEngine::kMixRate);
  size_t softAt = 0, hardAt = 0;  // frames heard when each was struck
  const auto strike = [&](float velocity) {
    SetAxis(kit, test::kXbox360VelocityAxis[1], test::Xbox360VelocityReading(0, velocity));
    SetButton(kit, 1, true);  // the red pad
    SetButton(kit, 1, false);
    return HeardFrames();
  };
  Run([&](AppView& app, int frame) {
    AdvanceClock(10);
    SDL_Delay(10);
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      app.instrument.volumes.Set(0, 0.5f);  // the red pad's sample stays far from full scale
    }
    if (frame > 0 && softAt == 0 && QuietFor(kSecond / 10)) softAt = strike(kSoft);
    if (softAt > 0 && hardAt == 0 && HeardFrames() > softAt + 3 * kSecond / 2) hardAt = strike(kHard);
    return hardAt == 0 || HeardFrames() < hardAt + 3 * kSecond / 2;
  });
  ASSERT_EQ(s_sounds.size(), 2u);
  const float soft = VelocityLevel(kSoft, kVelocitySoft, 10), hard = VelocityLevel(kHard, kVelocitySoft, 10);
  for (const PlayedSound& sound : s_sounds) EXPECT_EQ(sound.slot, 0);
  EXPECT_NEAR(s_sounds[0].velocity, kSoft, 1e-4f);
  EXPECT_NEAR(s_sounds[1].velocity, kHard, 1e-4f);
  EXPECT_NEAR(s_sounds[0].volume, 0.5f * soft, 1e-4f);
  EXPECT_NEAR(s_sounds[1].volume, 0.5f * hard, 1e-4f);

  const std::vector<float> heard(Heard().begin() + static_cast<std::ptrdiff_t>(softAt), Heard().end());
  const std::vector<size_t> onsets = Onsets(heard, kSecond / 20);
  ASSERT_EQ(onsets.size(), 2u);
  float peaks[2] = {};
  for (size_t i = 0; i < 2; ++i)
    for (size_t f = onsets[i]; f < std::min(heard.size(), onsets[i] + kSecond); ++f)
      peaks[i] = std::max(peaks[i], std::abs(heard[f]));
  ASSERT_GT(peaks[1], 0.1f);
  EXPECT_LT(peaks[1], 0.9f);  // nowhere near clipping
  EXPECT_NEAR(peaks[0] / peaks[1], soft / hard, 0.001f);
}

TEST_F(InstrumentTest, MenuPressesBetweenTwoFramesEachMoveTheSelection) {
  int pressedAt = -1, selection = 0;
  Run([&](AppView& app, int frame) {
    selection = app.screens.mainMenu.selection;
    const bool ready = app.menuKeys.startupTime >= MenuKeys::kStartupHold && app.screens.mainMenu.startupDelay == 0;
    if (pressedAt < 0 && ready) {
      pressedAt = frame;
      for (int press = 0; press < 2; ++press) {  // two presses of Down before the next frame
        PushKey(SDL_SCANCODE_DOWN, true);
        PushKey(SDL_SCANCODE_DOWN, false);
      }
      PushKey(SDL_SCANCODE_DOWN, true);  // and a third held down
    }
    if (pressedAt >= 0 && frame == pressedAt + 1) {  // released and pressed again between two frames
      PushKey(SDL_SCANCODE_DOWN, false);
      PushKey(SDL_SCANCODE_DOWN, true);
    }
    return pressedAt < 0 || frame < pressedAt + 10;
  });
  ASSERT_GE(pressedAt, 0);
  EXPECT_EQ(selection, 4);  // from "Free Play" down to "Exit": four presses, none lost
}

TEST_F(InstrumentTest, WithoutInputTheProgramRunsWithNoKitsAndNoKeys) {
  test::WriteFile("settings.cfg", "g_disableInput = 1\n");
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      app.mode = FreePlay;
      PushKey(SDL_SCANCODE_A, true);
    }
    EXPECT_EQ(app.instrument.padMap.numControllers, 0);
    return frame < 5;
  });
  EXPECT_TRUE(s_played.empty());
  EXPECT_EQ(boxes.size(), 1u);  // "Drums not found"
  EXPECT_NE(LogText().find("0 drumsets found!"), std::string::npos);
}

TEST_F(InstrumentTest, TwoKitsShowTheTwoKitDrumSet) {
  AttachKit();
  AttachKit();
  Run([&](AppView& app, int) {
    EXPECT_EQ(app.numDrumSets, 2u);
    EXPECT_EQ(app.drumSet->mesh, Basalt::g_pMeshManager->GetMesh("drumset2.gmsh"));
    EXPECT_GE(app.drumSet->mesh->GetNumSubsets(), 10);  // a subset for every pad slot
    return false;
  });
  EXPECT_NE(LogText().find("2 drumsets found!"), std::string::npos);
}

// The clicks fall on the audio clock: every frame takes 50 ms, and the
// onsets the device is handed are still exactly a beat apart.
TEST_F(InstrumentTest, TheMetronomeClicksOnTheBeatGridWhileFramesAreSlow) {
  test::WriteFile("settings.cfg", "g_freqVariation = 0\n");  // every click the same length
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      app.mode = FreePlay;
      app.metronome.on = true;
      ListenToOutput(4.0);  // from now, however long start-up took
    }
    SDL_Delay(50);
    return HeardFrames() < 3 * VoiceEngine::kMixRate && frame < 6000;  // a device that never plays fails, not hangs
  });
  const std::vector<size_t> onsets = Onsets(Heard(), 2400);
  ASSERT_GE(onsets.size(), 5u);
  for (size_t i = 1; i < onsets.size(); ++i)
    EXPECT_NEAR(static_cast<double>(onsets[i] - onsets[i - 1]), 24000.0, 1.0) << i;  // 120 BPM at 48 kHz
}

TEST_F(InstrumentTest, TheMenuIgnoresUpAtFirstAndExitEndsTheProgram) {
  enum Step { kWaitForKeys, kEarlyUp, kLateUp, kSelect, kDone } step = kWaitForKeys;
  int upsIgnored = 0;
  const bool ended = Run([&](AppView& app, int frame) {
    if (frame < 0) return true;
    const MainMenuState& menu = app.screens.mainMenu;
    SDL_Delay(15);  // menu keys count from 0.1 s of frame time, the Up delay from the tenth menu frame
    const bool ready = app.menuKeys.startupTime >= MenuKeys::kStartupHold;
    switch (step) {
      case kWaitForKeys:
        if (ready && menu.startupDelay > 2) PushKey(SDL_SCANCODE_UP, true), step = kEarlyUp;
        break;
      case kEarlyUp:
        PushKey(SDL_SCANCODE_UP, false);
        upsIgnored += menu.selection == 0;
        if (menu.startupDelay == 0) PushKey(SDL_SCANCODE_UP, true), step = kLateUp;
        break;
      case kLateUp:
        PushKey(SDL_SCANCODE_UP, false);
        if (menu.selection == 4) PushKey(SDL_SCANCODE_RETURN, true), step = kSelect;  // "Free Play" up to "Exit"
        break;
      case kSelect:
        step = app.QuitRequested() ? kDone : step;
        break;
      case kDone:
        ADD_FAILURE() << "a frame after Exit";
        break;
    }
    return frame < 300;
  });
  EXPECT_TRUE(ended);
  EXPECT_EQ(step, kDone);
  EXPECT_GT(upsIgnored, 0);
}

}  // namespace

namespace {

// Pixels of the frame that are clearly red: a pad in the red pad's flash colour.
int RedPixels(const std::vector<uint32_t>& frame) {
  return static_cast<int>(std::count_if(frame.begin(), frame.end(), [](uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return r > 200 && g < 60 && b < 60;
  }));
}

// Where the screenshots for the documentation go, when asked for.
void KeepScreenshot(const char* name, const std::vector<uint32_t>& frame, unsigned width, unsigned height) {
  if (const char* dir = std::getenv("PADLARK_SCREENSHOT_DIR"))
    test::AppHarness::WritePng(std::string(dir) + "/" + name, frame, width, height);
}

TEST_F(InstrumentTest, AStruckPadShowsItsFlashColourOnScreen) {
  SDL_Joystick* kit = AttachKit();
  std::vector<uint32_t> before, after;
  unsigned width = 0, height = 0;
  Run([&](AppView& app, int frame) {
    if (frame < 0) return true;
    app.sway = Sway{};
    app.camera->position = app.camera->GetTarget();  // no glide: the view the screen settles on
    if (frame == 60) {                               // the GUI has faded in
      const std::vector<uint32_t> menu = CaptureFrame(&width, &height);
      KeepScreenshot("main-menu.png", menu, width, height);
      app.mode = FreePlay;
    }
    if (frame == 62) {
      before = CaptureFrame(&width, &height);
      SetButton(kit, 1, true);  // a 360 kit's red pad
    }
    if (frame == 63) {
      after = CaptureFrame(&width, &height);
      KeepScreenshot("free-play.png", after, width, height);
    }
    return frame < 63;
  });
  EXPECT_GT(RedPixels(after), RedPixels(before) + 1000);  // the snare's head, besides its red hoops
}

}  // namespace
