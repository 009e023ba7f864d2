// The user's pads and default preset survive playback, a start with a sample
// missing and every way out of Assign Mode: the real program, headless,
// driven by keys and a virtual kit.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "backline/recording/plr_file.h"
#include "backline/scene/drum_set.h"
#include "basalt/gui/gui_button.h"
#include "tests/support/app_script.h"

namespace {

namespace fs = std::filesystem;

enum MenuEntry { kAssignEntry = 1, kPlayBackEntry = 3 };
const char kDefaultPreset[] = "presets/default.preset";
constexpr size_t kPadRecord = 396, kPathField = 196, kVolumeBlock = 3964;
constexpr size_t kPedalFunction = 4 + 4 * kPadRecord + 2 * kPathField;  // pad slot 4's function
constexpr unsigned kDoneX = 295, kDoneY = 455;                          // "DONE" at 640 x 480

std::string Field(const std::string& path) { return path + std::string(kPathField - path.size(), '\0'); }

float StoredVolume(const std::string& preset, int entry) {
  float value = 0.0f;
  std::memcpy(&value, preset.data() + kVolumeBlock + 4 * entry, sizeof value);
  return value;
}

// What a sound slot holds for the user's pads: the sample's bank path, "" for none.
std::string UserSample(const AppView& app, int soundSlot) {
  const int padSlot = soundSlot % kPadSlots;
  const int sample = soundSlot < kPadSlots ? app.instrument.pads.primary[padSlot] : app.instrument.pads.secondary[padSlot];
  return sample == kNoSample ? "" : app.bank.paths[sample];
}

class UserSetupTest : public test::ScriptedAppTest {
 protected:
  void SetUp() override {
    ScriptedAppTest::SetUp();
    if (!HasFatalFailure()) UseDefaultPreset(test::ReadFile(kDefaultPreset));
  }
  // The default preset the program starts with, dated a day back so that a
  // save shows in its time.
  void UseDefaultPreset(const std::string& bytes) {
    test::WriteFile(kDefaultPreset, bytes);
    m_preset = bytes;
    m_written = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(kDefaultPreset, m_written);
  }
  // The default preset was written again, with the very bytes it held.
  void ExpectRewrittenUnchanged() const {
    EXPECT_GT(fs::last_write_time(kDefaultPreset), m_written);
    EXPECT_EQ(test::ReadFile(kDefaultPreset), m_preset);
  }
  void LeaveAndExpectRewrittenUnchanged() {
    Press(SDL_SCANCODE_ESCAPE);
    WaitForMode(MainMenu);
    Then([this](AppView&) { ExpectRewrittenUnchanged(); });
  }

  // The user's pads and volumes at this point of the script...
  void KeepPads() {
    Then([this](AppView& app) {
      m_pads = app.instrument.pads;
      m_volumes = app.instrument.volumes;
    });
  }
  // ...are what the program holds now, and every sound slot the program has
  // changed since it started holds the user's sample again.
  void ExpectPadsAsKept() {
    Then([this](AppView& app) {
      EXPECT_EQ(std::memcmp(&app.instrument.pads, &m_pads, sizeof m_pads), 0);
      EXPECT_EQ(std::memcmp(&app.instrument.volumes, &m_volumes, sizeof m_volumes), 0);
      for (const auto& [slot, path] : s_slotSamples)
        if (slot < kVolumeSlots) {
          EXPECT_EQ(path, UserSample(app, slot)) << "sound slot " << slot;
        }
    });
  }

  std::string m_preset;
  fs::file_time_type m_written;
  PadAssignment m_pads;
  PadVolumes m_volumes;
};

// ---- playback ----

enum class PlaybackEnd { Done, Escape, DamagedFile };
const char* const kPlaybackEnds[] = {"Done", "Escape", "DamagedFile"};
std::string PlaybackEndName(const testing::TestParamInfo<PlaybackEnd>& param) {
  return kPlaybackEnds[static_cast<int>(param.param)];
}

// A two-kit take on other samples (one the bank does not hold) at quarter
// volume, whose modifier pedal is still down at its end.
std::string OtherTake() {
  Recording take;
  take.kitCount = 2;
  take.length = 300;
  std::strcpy(take.pads[0].primary, "SampleBank\\Other\\Cowbell.wav");
  std::strcpy(take.pads[1].primary, "SampleBank\\Snares\\Not There.wav");
  std::strcpy(take.pads[1].secondary, "SampleBank\\Other\\Clap.wav");
  take.pads[4].enablesSecondaries = true;
  take.tracks[4] = {50};
  take.tracks[0] = {100, 300};
  take.tracks[1] = {200};
  for (float& volume : take.volumes) volume = 0.25f;
  const std::vector<uint8_t> bytes = EncodeRecording(take);
  return std::string(bytes.begin(), bytes.end());
}

class PlaybackTest : public UserSetupTest, public testing::WithParamInterface<PlaybackEnd> {};

TEST_P(PlaybackTest, LeavesTheUsersPadsVolumesAndDefaultPresetAsTheyWere) {
  const PlaybackEnd end = GetParam();
  const std::string take = OtherTake();
  test::WriteFile("recordings/take.plr", end == PlaybackEnd::DamagedFile ? take.substr(0, 1000) : take);
  AttachKit();
  KeepPads();
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  if (end != PlaybackEnd::DamagedFile) {
    Until([](AppView& app) { return app.screens.player.started; });
    Then([](AppView&) {  // the take sounds its own samples
      EXPECT_EQ(s_slotSamples[0], "SampleBank\\Other\\Cowbell.wav");
      EXPECT_EQ(s_slotSamples[1], "");
      EXPECT_EQ(s_slotSamples[11], "SampleBank\\Other\\Clap.wav");
    });
    if (end == PlaybackEnd::Done)
      Until([](AppView&) { return TextAt(kDoneX, kDoneY) == "DONE"; });
    else
      Frames(5);
    Press(SDL_SCANCODE_ESCAPE);
  }
  WaitForMode(MainMenu);
  ExpectPadsAsKept();
  Then([](AppView& app) {
    EXPECT_EQ(app.drumSet->GetKitCount(), 1u);
    EXPECT_FALSE(app.instrument.SecondariesHeld());
  });
  Choose(kAssignEntry);
  LeaveAndExpectRewrittenUnchanged();
  ASSERT_TRUE(RunScript());
  if (end != PlaybackEnd::DamagedFile) {
    EXPECT_NE(LogText().find("recording \"take.plr\": the primary sample of pad slot 1, "
                             "\"SampleBank\\Snares\\Not There.wav\", is not in the sample bank"),
              std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(EndingWith, PlaybackTest,
                         testing::Values(PlaybackEnd::Done, PlaybackEnd::Escape, PlaybackEnd::DamagedFile),
                         PlaybackEndName);

// ---- Assign Mode ----

TEST_F(UserSetupTest, ASampleMissingAtStartStaysWithItsPadUntilAnotherIsAssigned) {
  fs::remove("SampleBank/Snares/Acoustic Snare.wav");  // the starter preset's pad slot 0
  EnterAssignMode();
  Frames(1);
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.primary[0], kNoSample);
    EXPECT_STREQ(app.menuButtons[1]->GetCaption(), "Acoustic Snare.wav (missing)");
  });
  LeaveAndExpectRewrittenUnchanged();
  Press(SDL_SCANCODE_RETURN);     // Assign Pads again
  Press(SDL_SCANCODE_RETURN, 3);  // the primary, Snare, the picker's first sample
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  Then([this](AppView& app) {
    ASSERT_NE(app.instrument.pads.primary[0], kNoSample);
    std::string expected = m_preset;
    expected.replace(4, kPathField, Field(app.bank.paths[app.instrument.pads.primary[0]]));
    EXPECT_EQ(test::ReadFile(kDefaultPreset), expected);
  });
  ASSERT_TRUE(RunScript());
  const std::string log = LogText();
  const std::string path = "SampleBank\\Snares\\Acoustic Snare.wav";
  const size_t named = log.find(path);
  ASSERT_NE(named, std::string::npos);
  EXPECT_EQ(log.find("Acoustic Snare.wav", named + path.size()), std::string::npos);  // once
}

TEST_F(UserSetupTest, NoneSilencesThePrimaryAtOnce) {
  EnterAssignMode();
  Press(SDL_SCANCODE_RETURN);  // pad slot 0's primary
  Press(SDL_SCANCODE_UP);      // "None"
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) {
    EXPECT_EQ(app.instrument.pads.primary[0], kNoSample);
    ASSERT_EQ(s_slotSamples.count(0), 1u);
    EXPECT_EQ(s_slotSamples[0], "");
  });
  ASSERT_TRUE(RunScript());
}

TEST_F(UserSetupTest, APedalFunctionOtherThanOneIsNormalAndKeptAsStored) {
  std::string preset = m_preset;
  preset[kPedalFunction] = 2;
  UseDefaultPreset(preset);
  EnterAssignMode();
  Then([](AppView&) { s_played.clear(); });
  Press(SDL_SCANCODE_LEFT);  // onto the pedal: a normal pedal is heard
  Frames(1);
  Then([](AppView& app) {
    EXPECT_EQ(app.screens.assign.selectedPad, BassPedal);
    ASSERT_FALSE(s_played.empty());
    EXPECT_EQ(s_played.back(), BassPedal);
    EXPECT_STREQ(app.menuButtons[0]->GetCaption(), "normal");
  });
  LeaveAndExpectRewrittenUnchanged();
  Press(SDL_SCANCODE_RETURN);  // Assign Pads again, back on the pedal's function
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) { EXPECT_EQ(app.instrument.pads.function[BassPedal], EnableSecondaries); });
  ASSERT_TRUE(RunScript());
}

enum class AssignExit { Escape, SavePreset, EscapeFromSaveName, EscapeFromLoadList };
const char* const kAssignExits[] = {"Escape", "SavePreset", "EscapeFromSaveName", "EscapeFromLoadList"};
std::string AssignExitName(const testing::TestParamInfo<AssignExit>& param) {
  return kAssignExits[static_cast<int>(param.param)];
}

class LeavingAssignModeTest : public UserSetupTest, public testing::WithParamInterface<AssignExit> {
 protected:
  void Leave() {
    switch (GetParam()) {
      case AssignExit::Escape:
        Press(SDL_SCANCODE_ESCAPE);
        break;
      case AssignExit::SavePreset:
        OpenPresetDialog(1);
        Type("KIT");
        Press(SDL_SCANCODE_RETURN);
        break;
      case AssignExit::EscapeFromSaveName:
        OpenPresetDialog(1);
        Press(SDL_SCANCODE_ESCAPE);
        break;
      case AssignExit::EscapeFromLoadList:
        OpenPresetDialog(0);
        Press(SDL_SCANCODE_ESCAPE);
        break;
    }
    WaitForMode(MainMenu);
  }
};

TEST_P(LeavingAssignModeTest, SavesTheDefaultPresetUnchangedOrWithTheChange) {
  EnterAssignMode();
  Leave();
  Then([this](AppView&) { ExpectRewrittenUnchanged(); });
  Press(SDL_SCANCODE_RETURN);  // Assign Pads again
  Press(SDL_SCANCODE_PAGEDOWN);
  Leave();
  Then([](AppView& app) {
    const std::string saved = test::ReadFile(kDefaultPreset);
    EXPECT_LT(StoredVolume(saved, 0), 1.0f);
    EXPECT_EQ(StoredVolume(saved, 0), app.instrument.volumes.volume[0]);
  });
  ASSERT_TRUE(RunScript());
}

INSTANTIATE_TEST_SUITE_P(Through, LeavingAssignModeTest,
                         testing::Values(AssignExit::Escape, AssignExit::SavePreset, AssignExit::EscapeFromSaveName,
                                         AssignExit::EscapeFromLoadList),
                         AssignExitName);

// The program ends (its window closed) while a screen of Assign Mode is up.
enum class EndIn { ItemMenu, SamplePicker, PresetMenu, LoadList, SaveName };
const char* const kEndsIn[] = {"ItemMenu", "SamplePicker", "PresetMenu", "LoadList", "SaveName"};
std::string EndInName(const testing::TestParamInfo<EndIn>& param) { return kEndsIn[static_cast<int>(param.param)]; }

class EndingInAssignModeTest : public UserSetupTest, public testing::WithParamInterface<EndIn> {};

TEST_P(EndingInAssignModeTest, SavesTheDefaultPreset) {
  EnterAssignMode();
  switch (GetParam()) {
    case EndIn::ItemMenu:
      break;
    case EndIn::SamplePicker:
      Press(SDL_SCANCODE_RETURN, 2);
      break;
    case EndIn::PresetMenu:
      Press(SDL_SCANCODE_TAB);
      break;
    case EndIn::LoadList:
      OpenPresetDialog(0);
      break;
    case EndIn::SaveName:
      OpenPresetDialog(1);
      break;
  }
  ASSERT_TRUE(RunScript());
  ExpectRewrittenUnchanged();
}

INSTANTIATE_TEST_SUITE_P(While, EndingInAssignModeTest,
                         testing::Values(EndIn::ItemMenu, EndIn::SamplePicker, EndIn::PresetMenu, EndIn::LoadList,
                                         EndIn::SaveName),
                         EndInName);

}  // namespace
