// The preset menu, the load-preset list and the save-preset name entry,
// driven through the real program with keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "backline/app/game_app.h"
#include "backline/scene/drum_set.h"
#include "basalt/fs/path.h"
#include "tests/support/app_script.h"

namespace {

namespace fs = std::filesystem;

// 640 x 480: where the list's lines, its empty text and the typed name are drawn.
constexpr unsigned kListX = 100, kFirstListY = 100, kEmptyX = 235, kEmptyY = 235, kTypedX = 100, kTypedY = 262;

class PresetDialogsTest : public test::ScriptedAppTest {
 protected:
  void ExpectListLines(int first) {
    Then([=](AppView&) {
      for (int line = 0; line < 10; ++line)
        EXPECT_EQ(TextAt(kListX, kFirstListY + 30 * static_cast<unsigned>(line)),
                  std::to_string(first + line) + ".preset");
    });
  }
  void ExpectMode(ScreenId mode) {
    Then([=](AppView& app) { EXPECT_EQ(app.mode, mode); });
  }
};

TEST_F(PresetDialogsTest, MySongIsSavedUnderItsLoweredNameLoadsBackAndTypingThenReachesThePicker) {
  EnterAssignMode();
  OpenPresetDialog(1);
  Type("MY SONG");
  Frames(1);
  Then([](AppView&) { EXPECT_EQ(TextAt(kTypedX, kTypedY).substr(0, 7), "MY SONG"); });
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, MainMenu);
    EXPECT_EQ(fs::file_size("presets/my song.preset"), 4044u);
  });
  Press(SDL_SCANCODE_RETURN);  // the menu still on "Assign Pads"
  Press(SDL_SCANCODE_PAGEDOWN);
  Then([](AppView& app) { EXPECT_LT(app.instrument.volumes.volume[0], 1.0f); });
  OpenPresetDialog(0);
  Then([](AppView&) {
    EXPECT_EQ(TextAt(kListX, kFirstListY), "default.preset");
    EXPECT_EQ(TextAt(kListX, kFirstListY + 30), "my song.preset");
  });
  Press(SDL_SCANCODE_DOWN);
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, Assign);
    EXPECT_FLOAT_EQ(app.instrument.volumes.volume[0], 1.0f);
    EXPECT_TRUE(app.textEntry.active);
  });
  Press(SDL_SCANCODE_RETURN);  // Snare
  Press(SDL_SCANCODE_RETURN);  // the picker
  Type("R");
  Then([](AppView& app) { EXPECT_EQ(app.instrument.pads.primary[0], 6); });  // Rimshot, the last snare
  ASSERT_TRUE(RunScript());
}

TEST_F(PresetDialogsTest, TwentyFivePresetsPageTenToNineteenThenFifteenToTwentyFour) {
  const std::string preset = test::ReadFile("presets/default.preset");
  fs::remove("presets/default.preset");
  for (int i = 0; i < 25; ++i) test::WriteFile("presets/" + std::to_string(i + 100).substr(1) + ".preset", preset);
  EnterAssignMode();
  OpenPresetDialog(0);
  Then([](AppView&) { EXPECT_EQ(TextAt(kListX, kFirstListY), "00.preset"); });
  Press(SDL_SCANCODE_PAGEDOWN);
  Frames(1);
  ExpectListLines(10);
  Press(SDL_SCANCODE_PAGEDOWN);
  Frames(1);
  ExpectListLines(15);
  Press(SDL_SCANCODE_DOWN, 12);  // the last line, never past the last name
  Frames(1);
  ExpectListLines(15);
  Then([](AppView& app) { EXPECT_EQ(app.screens.presetList.row, 9); });
  Press(SDL_SCANCODE_RETURN);
  ExpectMode(Assign);
  ASSERT_TRUE(RunScript());
}

TEST_F(PresetDialogsTest, AnEmptyNameReturnsToAssignModeAndLongNamesAreCut) {
  EnterAssignMode();
  OpenPresetDialog(1);
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, Assign);
    EXPECT_TRUE(app.textEntry.active);
    EXPECT_EQ(std::distance(fs::directory_iterator("presets"), fs::directory_iterator()), 1);
  });
  OpenPresetDialog(1);
  Type("ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ");
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView&) { EXPECT_TRUE(fs::exists("presets/abcdefghijabcdefghijabcdefghijab.preset")); });
  ASSERT_TRUE(RunScript());
}

TEST_F(PresetDialogsTest, WithoutAPresetsFolderTheListSaysSoAndSavingCreatesIt) {
  fs::remove_all("presets");
  EnterAssignMode();
  OpenPresetDialog(0);
  Then([](AppView&) { EXPECT_EQ(TextAt(kEmptyX, kEmptyY), "No presets found!"); });
  Press(SDL_SCANCODE_ESCAPE);
  ExpectMode(MainMenu);  // leaving Assign Mode saved the default preset, which made the folder "Presets"
  Press(SDL_SCANCODE_RETURN);
  OpenPresetDialog(1);
  Type("A");
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView&) { EXPECT_EQ(fs::file_size(Basalt::ResolvePath("presets\\a.preset")), 4044u); });
  ASSERT_TRUE(RunScript());
}

TEST_F(PresetDialogsTest, AFailedSaveNamesTheFileAndEscapeSavesNothing) {
  fs::create_directories("presets/fail.preset/kept");
  EnterAssignMode();
  OpenPresetDialog(1);
  Type("FAIL");
  Press(SDL_SCANCODE_RETURN);
  ExpectMode(MainMenu);
  Press(SDL_SCANCODE_RETURN);
  OpenPresetDialog(1);
  Type("GONE");
  Press(SDL_SCANCODE_ESCAPE);
  ExpectMode(MainMenu);
  ASSERT_TRUE(RunScript());
  ASSERT_EQ(boxes.size(), 2u);  // "Drums not found", then the save
  EXPECT_EQ(boxes[1].rfind("Error|", 0), 0u);
  EXPECT_NE(boxes[1].find("presets\\fail.preset"), std::string::npos);
  EXPECT_TRUE(fs::is_directory("presets/fail.preset/kept"));
  EXPECT_FALSE(fs::exists("presets/gone.preset"));
}

// A folder named like a preset is not listed; a damaged preset chosen in the
// list says what is wrong with it and changes none of the pads.
TEST_F(PresetDialogsTest, AFolderIsNotListedAndADamagedPresetSaysWhyAndChangesNothing) {
  fs::create_directories("presets/a folder.preset");
  test::WriteFile("presets/broken.preset", test::ReadFile("presets/default.preset").substr(0, 100));
  PadAssignment before;
  EnterAssignMode();
  Then([&](AppView& app) { before = app.instrument.pads; });
  OpenPresetDialog(0);
  Then([](AppView&) {
    EXPECT_EQ(TextAt(kListX, kFirstListY), "broken.preset");
    EXPECT_EQ(TextAt(kListX, kFirstListY + 30), "default.preset");
    EXPECT_EQ(TextAt(kListX, kFirstListY + 60), "");
  });
  Press(SDL_SCANCODE_RETURN);
  Then([&](AppView& app) {
    EXPECT_EQ(app.mode, Assign);
    for (int slot = 0; slot < kPadSlots; ++slot) {
      EXPECT_EQ(app.instrument.pads.primary[slot], before.primary[slot]) << slot;
      EXPECT_EQ(app.instrument.pads.secondary[slot], before.secondary[slot]) << slot;
    }
  });
  ASSERT_TRUE(RunScript());
  ASSERT_EQ(boxes.size(), 2u);  // "Drums not found", then the load
  EXPECT_EQ(boxes[1], "Error|Could not load the preset \"presets\\broken.preset\":\n"
                      "the file is too short, nothing loaded.");
  EXPECT_NE(LogText().find("preset \"presets\\broken.preset\": the file is too short, nothing loaded\n"),
            std::string::npos);
}

}  // namespace
