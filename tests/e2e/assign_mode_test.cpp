// Assign Mode and the sample picker driven through the real program with
// keys and virtual kits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "backline/app/game_app.h"
#include "backline/pads/pad_hits.h"
#include "backline/scene/camera.h"
#include "backline/scene/drum_set.h"
#include "basalt/gui/gui_button.h"
#include "tests/support/app_script.h"

namespace {

constexpr unsigned kPrimaryVolumeX = 470, kPrimaryVolumeY = 198;  // 640 x 480

int SelectedSlot(const AppView& app) {
  return PadSlotOf(app.screens.assign.selectedKit, app.screens.assign.selectedPad);
}

int SampleAt(int category, int position) { return category * SampleBank::kPerCategory + position; }

class AssignModeTest : public test::ScriptedAppTest {
 protected:
  // The pad, its preview and the camera's destination after walking to it.
  void ExpectPad(int padSlot, int item, Basalt::vec3f camera) {
    Then([=](AppView& app) {
      EXPECT_EQ(SelectedSlot(app), padSlot);
      EXPECT_EQ(app.screens.assign.selectedItem, item);
      ASSERT_FALSE(s_played.empty());
      EXPECT_EQ(s_played.back(), padSlot);
      const Basalt::vec3f& target = app.camera->GetTarget();
      EXPECT_FLOAT_EQ(target.x, camera.x);
      EXPECT_FLOAT_EQ(target.y, camera.y);
      EXPECT_FLOAT_EQ(target.z, camera.z);
    });
  }
  // From the item menu of pad slot 0's primary into the picker of category.
  void OpenPicker(int category) {
    Press(SDL_SCANCODE_RETURN);
    Press(SDL_SCANCODE_DOWN, category);
    Press(SDL_SCANCODE_RETURN);
    Then([](AppView& app) { ASSERT_TRUE(app.screens.assign.pickerOpen); });
  }
  void ExpectPrimary(int sampleIndex) {
    Then([=](AppView& app) { EXPECT_EQ(app.instrument.pads.primary[0], sampleIndex); });
  }
};

TEST_F(AssignModeTest, RightFromTheBassPedalGoesToTheOtherKitAndBack) {
  ASSERT_NE(AttachKit(), nullptr);
  ASSERT_NE(AttachKit(), nullptr);
  EnterAssignMode();
  Press(SDL_SCANCODE_RIGHT, 5);
  ExpectPad(5, 1, {2.0f, 9.9f, -9.7f});
  Press(SDL_SCANCODE_RIGHT, 4);
  ExpectPad(9, 0, {7.3f, 1.2f, -12.0f});
  Press(SDL_SCANCODE_RETURN);  // the pedal now enables secondaries
  Press(SDL_SCANCODE_RIGHT);
  ExpectPad(0, 1, {-11.6f, 7.0f, -14.0f});
  Then([](AppView&) { s_played.clear(); });
  Press(SDL_SCANCODE_LEFT);  // to kit 1's pedal, which enables secondaries: not heard
  Then([](AppView& app) {
    EXPECT_EQ(SelectedSlot(app), 9);
    EXPECT_EQ(app.instrument.pads.function[9], EnableSecondaries);
    EXPECT_TRUE(s_played.empty());
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(AssignModeTest, OnOneKitRightWrapsToItsFirstPadAndUpDownCycleTheItems) {
  ASSERT_NE(AttachKit(), nullptr);
  EnterAssignMode();
  const auto expectItem = [this](int item) {
    Then([=](AppView& app) { EXPECT_EQ(app.screens.assign.selectedItem, item); });
  };
  for (int item : {2, 1, 2}) {  // a pad: primary and secondary only
    Press(SDL_SCANCODE_DOWN);
    expectItem(item);
  }
  Press(SDL_SCANCODE_RIGHT, 4);
  ExpectPad(4, 0, {0.0f, 1.2f, -12.0f});
  for (int item : {1, 2, 0}) {  // the pedal: its function too
    Press(SDL_SCANCODE_DOWN);
    expectItem(item);
  }
  Press(SDL_SCANCODE_UP);
  expectItem(2);
  Press(SDL_SCANCODE_RIGHT);
  ExpectPad(0, 1, {-5.5f, 8.5f, -12.0f});
  ASSERT_TRUE(RunScript());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(AssignModeTest, PageDownLowersTheShownVolumeOneStepAPressAndPageUpRaisesIt) {
  EnterAssignMode();
  for (int press = 1; press <= 11; ++press) {  // from 1.0: 9, 8, ..., 1, 0, 0
    Press(SDL_SCANCODE_PAGEDOWN);
    Frames(1);  // the frame after the step draws the new value
    Then([=](AppView&) { EXPECT_EQ(TextAt(kPrimaryVolumeX, kPrimaryVolumeY), std::to_string(std::max(10 - press, 0))); });
  }
  for (int press = 1; press <= 11; ++press) {  // from 0: 1, 2, ..., 10, 10
    Press(SDL_SCANCODE_PAGEUP);
    Frames(1);
    Then([=](AppView& app) {
      EXPECT_EQ(TextAt(kPrimaryVolumeX, kPrimaryVolumeY), std::to_string(std::min(press, 10)));
      EXPECT_NEAR(app.instrument.volumes.volume[0], std::min(0.105f * static_cast<float>(press), 1.0f), 1e-5f);
      ASSERT_FALSE(s_played.empty());  // each step is heard
      EXPECT_EQ(s_played.back(), 0);
    });
  }
  ASSERT_TRUE(RunScript());
}

TEST_F(AssignModeTest, ThePedalsFunctionTogglesAndNoneRemovesASecondary) {
  EnterAssignMode();
  Press(SDL_SCANCODE_LEFT);  // the pedal's function item
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) { EXPECT_EQ(app.instrument.pads.function[4], EnableSecondaries); });
  Frames(1);
  Then([](AppView& app) { EXPECT_STREQ(app.menuButtons[0]->GetCaption(), "enable secondaries"); });
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) { EXPECT_EQ(app.instrument.pads.function[4], NormalFunction); });
  Press(SDL_SCANCODE_RETURN);  // on again, for the secondary below
  Press(SDL_SCANCODE_RIGHT);
  Press(SDL_SCANCODE_DOWN);  // pad 0's secondary
  Then([](AppView& app) { ASSERT_GE(app.instrument.pads.secondary[0], 0); });
  Press(SDL_SCANCODE_RETURN);
  Press(SDL_SCANCODE_UP);  // "None"
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.secondary[0], kNoSample);
    EXPECT_FALSE(app.screens.assign.categoryMenuOpen);
    EXPECT_EQ(app.screens.assign.selectedCategory, 0);
    EXPECT_FALSE(ChooseSecondary(app.instrument.pads, 0, true));  // the pedal held: still the primary
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(AssignModeTest, EscapeRewritesTheDefaultPresetEvenWhenNothingChanged) {
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time("presets/default.preset", old);
  const std::string before = test::ReadFile("presets/default.preset");
  EnterAssignMode();
  Press(SDL_SCANCODE_ESCAPE);
  Then([&](AppView& app) {
    EXPECT_EQ(app.mode, MainMenu);
    EXPECT_FALSE(app.textEntry.active);
    EXPECT_GT(std::filesystem::last_write_time("presets/default.preset"), old);
    EXPECT_EQ(test::ReadFile("presets/default.preset"), before);
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(AssignModeTest, AFailedDefaultSaveIsToldAndDamagesNothing) {
  std::filesystem::remove("presets/default.preset");
  std::filesystem::create_directories("presets/default.preset/kept");
  EnterAssignMode();
  Press(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(RunScript());
  ASSERT_EQ(boxes.size(), 2u);  // "Drums not found", then the save
  EXPECT_EQ(boxes[1].rfind("Error|", 0), 0u);
  EXPECT_NE(boxes[1].find("Presets\\default.preset"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory("presets/default.preset/kept"));
}

TEST_F(AssignModeTest, TypingJumpsToTheFirstSampleWithThatBeginningAndAPauseStartsAfresh) {
  for (const char* name : {"Kettle.wav", "Kick Tone.wav"})
    std::filesystem::copy_file("SampleBank/Other/Clap.wav", std::string("SampleBank/Other/") + name);
  // Other: Clap, Clave, Cowbell, Kettle, Kick Tone, Shaker, Tambourine, Woodblock
  EnterAssignMode();
  OpenPicker(Other);
  Type("K");
  ExpectPrimary(SampleAt(Other, 3));
  Type("I");
  ExpectPrimary(SampleAt(Other, 4));
  Then([](AppView&) {
    ASSERT_FALSE(s_played.empty());
    EXPECT_EQ(s_played.back(), 0);  // heard on the pad
  });
  Wait(1600);
  Type("S");
  ExpectPrimary(SampleAt(Other, 5));
  Type("Z");  // "SZ" matches nothing: shown in red, nothing changes
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.primary[0], SampleAt(Other, 5));
    EXPECT_EQ(app.screens.picker.cursor, 5);
    bool red = false;
    for (const DrawnText& text : QueuedText())
      if (text.text == "SZ") red = (text.colour & 0xFFFFFF) == 0xFF0000;
    EXPECT_TRUE(red);
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(AssignModeTest, SteppingWrapsAtBothEndsAndEscapeKeepsTheLastStep) {
  SDL_Joystick* kit = AttachKit();
  ASSERT_NE(kit, nullptr);
  EnterAssignMode();
  OpenPicker(Snares);  // Acoustic Snare ... Rimshot, seven samples
  Press(SDL_SCANCODE_UP);
  ExpectPrimary(SampleAt(Snares, 6));
  Hit(kit, 2);  // blue: down
  ExpectPrimary(SampleAt(Snares, 0));
  Press(SDL_SCANCODE_DOWN);
  Press(SDL_SCANCODE_ESCAPE);
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.primary[0], SampleAt(Snares, 1));
    EXPECT_FALSE(app.screens.assign.pickerOpen);
    EXPECT_TRUE(app.screens.assign.categoryMenuOpen);
  });
  Press(SDL_SCANCODE_RETURN);  // the picker again, on the first sample
  Hit(kit, 0);                 // green: accepted
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.primary[0], SampleAt(Snares, 0));
    EXPECT_FALSE(app.screens.assign.categoryMenuOpen);
  });
  ASSERT_TRUE(RunScript());
}

// Also writes the picture of the screen to $PADLARK_SCREENSHOT when set.
TEST_F(AssignModeTest, ThePickerIsDrawnOverTheSelectedPad) {
  EnterAssignMode();
  OpenPicker(Cymbals);
  Press(SDL_SCANCODE_DOWN, 2);
  Type("R");
  Until([](AppView& app) {  // the camera arrives, the screen has faded in
    const Basalt::vec3f &at = app.camera->position, &target = app.camera->GetTarget();
    return std::fabs(at.x - target.x) + std::fabs(at.y - target.y) + std::fabs(at.z - target.z) < 0.2f &&
           app.assignButtons.Level(1) == 0.0f;
  });
  Frames(60);
  Then([](AppView& app) {
    EXPECT_STREQ(app.menuButtons[9]->GetCaption(), "Ride.wav");
    unsigned width = 0, height = 0;
    const std::vector<uint32_t> pixels = CaptureFrame(&width, &height);
    EXPECT_TRUE(WritePng("assign-mode.png", pixels, width, height));
  });
  ASSERT_TRUE(RunScript());
  EXPECT_GT(std::filesystem::file_size("assign-mode.png"), 1000u);
  if (const char* copy = std::getenv("PADLARK_SCREENSHOT"))
    std::filesystem::copy_file("assign-mode.png", copy, std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
