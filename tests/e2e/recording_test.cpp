// Recording and playback end to end: the real program, headless, played
// with a virtual kit and keys through a queue of steps, one frame at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "backline/recording/plr_file.h"
#include "backline/scene/drum_set.h"
#include "tests/support/app_harness.h"

namespace {

constexpr uint32_t kFrameMs = 10;  // the clock's step between frames
constexpr int kMaxFrames = 3000;
enum MenuEntry { kRecordEntry = 2, kPlayBackEntry = 3 };

class RecordingTest : public test::AppHarness {
 protected:
  // A step runs once a frame, after the program's update, until it returns true.
  using Step = std::function<bool(GameApp&)>;

  void SetUp() override {
    AppHarness::SetUp();
    test::WriteFile("rmd.dat", "n");
  }

  void Then(Step step) { m_steps.push_back(std::move(step)); }
  void Do(std::function<void(GameApp&)> action) {
    Then([action](GameApp& app) {
      action(app);
      return true;
    });
  }
  void Wait(int frames) {
    auto left = std::make_shared<int>(frames);
    Then([left](GameApp&) { return --*left <= 0; });
  }
  void WaitForMode(AppMode mode) {
    Then([mode](GameApp& app) { return app.mode == mode; });
  }
  void WaitMs(uint32_t ms) {
    auto until = std::make_shared<uint32_t>(0);
    Do([until, ms](GameApp&) { *until = s_nowMs + ms; });
    Then([until](GameApp&) { return s_nowMs >= *until; });
  }
  void Tap(SDL_Scancode key) {
    Do([key](GameApp&) { PushKey(key, true); });
    Do([key](GameApp&) { PushKey(key, false); });
  }
  void Hold(SDL_Joystick* kit, int button, bool down) {
    Do([kit, button, down](GameApp&) { SetButton(kit, button, down); });
  }
  void Hit(SDL_Joystick* kit, int button) {
    Hold(kit, button, true);
    Hold(kit, button, false);
  }
  void Type(const std::string& text) {
    for (char c : text) Tap(c == ' ' ? SDL_SCANCODE_SPACE : static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'A')));
  }
  // From the main menu, once it takes keys, chooses entry.
  void Choose(int entry) {
    WaitForMode(MainMenu);
    Then([](GameApp& app) { return app.menuKeys.startupTime > MenuKeys::kStartupHold; });
    Do([entry](GameApp& app) { app.screens.mainMenu.selection = entry; });
    Tap(SDL_SCANCODE_RETURN);
  }
  // Remembers how many sounds have been played when the step runs.
  void Mark(size_t* at) {
    Do([at](GameApp&) { *at = s_sounds.size(); });
  }
  void StopAndName(const std::string& name) {
    Tap(SDL_SCANCODE_RETURN);
    WaitForMode(SaveRecordingName);
    Type(name);
    Tap(SDL_SCANCODE_RETURN);
  }
  // From the menu, opens the first recording of the list and plays it for ms.
  void PlayBackFirst(uint32_t ms) {
    Choose(kPlayBackEntry);
    WaitForMode(OpenRecording);
    Tap(SDL_SCANCODE_RETURN);
    WaitForMode(Playback);
    WaitMs(ms);
  }

  // Runs the program through the queued steps; false when it stopped early.
  bool RunSteps() {
    const bool launched = Run([this](GameApp& app, int frame) {
      if (frame == kStarted) {
        RecordPlayedSounds();
        return true;
      }
      AdvanceClock(kFrameMs);
      if (!m_steps.empty() && m_steps.front()(app)) m_steps.pop_front();
      return !m_steps.empty() && frame < kMaxFrames;
    });
    return launched && m_steps.empty();
  }

  // The pad strikes played from index first up to last (the metronome left
  // out), their times counted from the first of them.
  static std::vector<PlayedSound> Strikes(size_t first, size_t last = SIZE_MAX) {
    std::vector<PlayedSound> strikes;
    for (size_t i = first; i < std::min(last, s_sounds.size()); ++i)
      if (s_sounds[i].slot != kMetronomeSoundSlot) strikes.push_back(s_sounds[i]);
    const uint32_t start = strikes.empty() ? 0 : strikes.front().timeMs;
    for (PlayedSound& strike : strikes) strike.timeMs -= start;
    return strikes;
  }

 private:
  std::deque<Step> m_steps;
};

TEST_F(RecordingTest, EnterBeforeAnyHitReturnsToTheMenuWithoutARecording) {
  AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Wait(5);
  Tap(SDL_SCANCODE_RETURN);
  WaitForMode(MainMenu);
  bool metronomeOn = true, events = true;
  Do([&](GameApp& app) {
    metronomeOn = app.metronome.on;
    events = app.recording.HasEvents();
  });
  ASSERT_TRUE(RunSteps());
  EXPECT_FALSE(metronomeOn);
  EXPECT_FALSE(events);
  EXPECT_TRUE(std::filesystem::is_empty("recordings"));
}

TEST_F(RecordingTest, APatternSavedUnderATypedNamePlaysBackAsItWasPlayed) {
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Wait(20);  // silence before the first hit is not recorded
  size_t recorded = 0, played = 0;
  Mark(&recorded);
  for (int button : {0, 1, 0, 3, 2, 4, 1}) {
    Hit(kit, button);
    Wait(7 + 4 * button);
  }
  bool released = false;
  std::string name;
  StopAndName("MY SONG");
  WaitForMode(MainMenu);
  Do([&](GameApp& app) { released = !app.recording.HasEvents(); });
  Mark(&played);
  PlayBackFirst(1500);
  Do([&](GameApp& app) { name = app.playbackName; });
  Tap(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunSteps());

  EXPECT_TRUE(std::filesystem::exists("recordings/my song.plr"));
  EXPECT_TRUE(released);  // a saved recording is gone from memory
  EXPECT_EQ(name, "my song.plr");
  const std::vector<PlayedSound> live = Strikes(recorded, played), replay = Strikes(played);
  ASSERT_EQ(live.size(), 7u);
  ASSERT_EQ(replay.size(), live.size());
  for (size_t i = 0; i < live.size(); ++i) {
    EXPECT_EQ(replay[i].slot, live[i].slot) << "strike " << i;
    EXPECT_NEAR(replay[i].timeMs, live[i].timeMs, kFrameMs) << "strike " << i;
    EXPECT_FLOAT_EQ(replay[i].volume, live[i].volume) << "strike " << i;
  }
}

TEST_F(RecordingTest, TheModifierPedalIsRecordedAsItsPressAndRelease) {
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Do([](GameApp& app) { app.pads.function[BassPedal] = EnableSecondaries; });
  size_t from = 0;
  Mark(&from);
  Hold(kit, BassPedal, true);
  Wait(99);
  Hold(kit, BassPedal, false);
  Wait(3);
  std::vector<int32_t> pedal;
  Tap(SDL_SCANCODE_RETURN);
  WaitForMode(SaveRecordingName);
  Do([&](GameApp& app) { pedal = app.recording.tracks[BassPedal]; });
  Tap(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunSteps());
  EXPECT_EQ(pedal, (std::vector<int32_t>{0, 1000}));
  const std::vector<PlayedSound> strikes = Strikes(from);
  ASSERT_EQ(strikes.size(), 1u);  // only the press is heard
  EXPECT_EQ(strikes[0].slot, BassPedal);
}

TEST_F(RecordingTest, ATwoKitRecordingSwitchesTheDrumSetWhilePlaying) {
  plrInfo duo;
  duo.kitCount = 2;
  duo.length = 100;
  duo.tracks[0] = {0};
  duo.tracks[7] = {100};
  for (float& volume : duo.volumes) volume = 0.25f;
  const std::vector<uint8_t> bytes = EncodeRecording(duo);
  test::WriteFile("recordings/duo.plr", std::string(bytes.begin(), bytes.end()));
  AttachKit();
  size_t from = 0;
  unsigned kitsWhilePlaying = 0, kitsAfter = 0;
  Mark(&from);
  PlayBackFirst(300);
  Do([&](GameApp& app) { kitsWhilePlaying = app.drumSet->GetKitCount(); });
  Tap(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  Do([&](GameApp& app) { kitsAfter = app.drumSet->GetKitCount(); });
  ASSERT_TRUE(RunSteps());
  EXPECT_EQ(kitsWhilePlaying, 2u);
  EXPECT_EQ(kitsAfter, 1u);
  const std::vector<PlayedSound> strikes = Strikes(from);
  ASSERT_EQ(strikes.size(), 2u);
  EXPECT_EQ(strikes[1].slot, 7);
  for (const PlayedSound& strike : strikes) EXPECT_EQ(strike.volume, 1.0f);  // the switch resets the volumes
}

TEST_F(RecordingTest, AFailedSaveKeepsTheRecordingForAnotherTry) {
  std::filesystem::remove_all("recordings");
  test::WriteFile("recordings", "a file where the folder should be");
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Hit(kit, 0);
  Wait(3);
  StopAndName("TAKE");
  Wait(5);
  AppMode modeAfterFailure = MainMenu;
  bool kept = false;
  Do([&](GameApp& app) {
    modeAfterFailure = app.mode;
    kept = app.recording.HasEvents();
    std::filesystem::remove("recordings");
  });
  Tap(SDL_SCANCODE_RETURN);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunSteps());
  EXPECT_EQ(modeAfterFailure, SaveRecordingName);
  EXPECT_TRUE(kept);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("recordings\\take.plr"), std::string::npos) << boxes[0];
  EXPECT_EQ(test::ReadFile("recordings/take.plr").size(), kPlrHeaderSize + kPlrPadSlots * 4 + 4 + kPlrVolumes * 4);
}

// A version 3 file put together from the format's table, not by our writer:
// one kit, the paths and events given per pad slot, every volume 0.5.
struct TablePad {
  const char* primary;
  const char* secondary;
  bool pedal;
  std::vector<int32_t> events;
};
std::string TableFile(const std::vector<TablePad>& pads, int32_t length) {
  std::string file = "PLR03";
  auto word = [&file](uint32_t v) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  word(1);
  for (size_t slot = 0; slot < 10; ++slot) {
    std::string record(393, '\0');
    if (slot < pads.size()) {
      record.replace(0, std::strlen(pads[slot].primary), pads[slot].primary);
      record.replace(196, std::strlen(pads[slot].secondary), pads[slot].secondary);
      record[392] = pads[slot].pedal ? 1 : 0;
    }
    file += record;
  }
  word(static_cast<uint32_t>(length));
  for (size_t slot = 0; slot < 10; ++slot) {
    const std::vector<int32_t> none;
    const std::vector<int32_t>& events = slot < pads.size() ? pads[slot].events : none;
    word(static_cast<uint32_t>(events.size()));
    for (int32_t time : events) word(static_cast<uint32_t>(time));
  }
  for (int k = 0; k < 20; ++k) word(0x3F000000);  // 0.5f
  return file;
}

TEST_F(RecordingTest, AFileFromTheTablePlaysItsPedalAndItsSharedTimesFrameByFrame) {
  test::WriteFile(
      "recordings/table.plr",
      TableFile({{"SampleBank\\Snares\\Acoustic Snare.wav", "", false, {1000, 1000, 1000}},
                 {"SampleBank\\Cymbals\\Hi-Hat Closed.wav", "SampleBank\\Cymbals\\Hi-Hat Open.wav", false, {300, 700}},
                 {"", "", false, {}},
                 {"", "", false, {}},
                 {"SampleBank\\Kick\\Deep Kick.wav", "", true, {100, 600}}},
                1000));
  AttachKit();
  size_t from = 0;
  uint32_t start = 0;
  Mark(&from);
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Tap(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Do([&](GameApp& app) { start = app.screens.player.startTime; });
  WaitMs(1100);
  ASSERT_TRUE(RunSteps());
  std::vector<std::pair<int, uint32_t>> heard;
  for (size_t i = from; i < s_sounds.size(); ++i) {
    if (s_sounds[i].slot == kMetronomeSoundSlot) continue;
    heard.emplace_back(s_sounds[i].slot, s_sounds[i].timeMs - start);
    EXPECT_FLOAT_EQ(s_sounds[i].volume, 0.5f);
  }
  // The pedal's press at 100 is heard; the hi-hat plays its secondary (slot
  // 11) while the pedal is down and its primary after the release at 600.
  EXPECT_EQ(heard,
            (std::vector<std::pair<int, uint32_t>>{{4, 100}, {11, 300}, {1, 700}, {0, 1000}, {0, 1010}, {0, 1020}}));
}

TEST_F(RecordingTest, ADamagedRecordingReturnsToTheMenuAndChangesNothing) {
  test::WriteFile("recordings/cut.plr", "PLR03 and no more");
  AttachKit();
  PadAssignment before;
  bool unchanged = false;
  Do([&](GameApp& app) { before = app.pads; });
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Tap(SDL_SCANCODE_RETURN);
  Wait(2);
  Do([&](GameApp& app) {
    unchanged = app.mode == MainMenu &&
                std::equal(std::begin(before.primary), std::end(before.primary), std::begin(app.pads.primary));
  });
  ASSERT_TRUE(RunSteps());
  EXPECT_TRUE(unchanged);
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
