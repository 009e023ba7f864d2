// Recording and playback end to end: the real program, headless, played
// with a virtual kit and keys through a queue of steps, one frame at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "backline/recording/plr_file.h"
#include "backline/scene/drum_set.h"
#include "basalt/foundation/clock.h"
#include "tests/support/app_script.h"
#include "tests/support/virtual_kit.h"

namespace {

enum MenuEntry { kRecordEntry = 2, kPlayBackEntry = 3 };

class RecordingTest : public test::ScriptedAppTest {
 protected:
  void Hold(SDL_Joystick* kit, int button, bool down) {
    Then([kit, button, down](AppView&) { SetButton(kit, button, down); });
  }
  // Remembers how many sounds have been played at this point.
  void Mark(size_t* at) {
    Then([at](AppView&) { *at = s_sounds.size(); });
  }
  void StopAndName(const char* name) {
    Press(SDL_SCANCODE_RETURN);
    WaitForMode(SaveRecordingName);
    Type(name);
    Press(SDL_SCANCODE_RETURN);
  }
  // From the menu, opens the first recording of the list and plays it for ms.
  void PlayBackFirst(uint32_t ms) {
    Choose(kPlayBackEntry);
    WaitForMode(OpenRecording);
    Press(SDL_SCANCODE_RETURN);
    WaitForMode(Playback);
    Frames(static_cast<int>(ms / kFrameMs));
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
};

TEST_F(RecordingTest, EnterBeforeAnyHitReturnsToTheMenuWithoutARecording) {
  AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Frames(5);
  Then([](AppView&) { EXPECT_EQ(TextAt(150, 340), "Start playing to begin"); });
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(MainMenu);
  Then([](AppView& app) {
    EXPECT_FALSE(app.metronome.on);
    EXPECT_FALSE(app.recording.HasEvents());
  });
  ASSERT_TRUE(RunScript());
  EXPECT_TRUE(std::filesystem::is_empty("recordings"));
}

TEST_F(RecordingTest, APatternSavedUnderATypedNamePlaysBackAsItWasPlayed) {
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Frames(20);  // silence before the first hit is not recorded
  size_t recorded = 0, played = 0;
  Mark(&recorded);
  for (int button : {0, 1, 0, 3, 2, 4, 1}) {
    Hit(kit, button);
    Frames(7 + 4 * button);
  }
  Then([](AppView&) { EXPECT_EQ(TextAt(220, 340), "Recording..."); });
  StopAndName("MY SONG");
  WaitForMode(MainMenu);
  Then([](AppView& app) { EXPECT_FALSE(app.recording.HasEvents()); });  // a saved recording leaves memory
  Mark(&played);
  PlayBackFirst(1500);
  Then([](AppView& app) {
    EXPECT_STREQ(app.playbackName, "my song.plr");
    EXPECT_EQ(TextAt(295, 455), "DONE");
  });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());

  EXPECT_TRUE(std::filesystem::exists("recordings/my song.plr"));
  const std::vector<PlayedSound> live = Strikes(recorded, played), replay = Strikes(played);
  ASSERT_EQ(live.size(), 7u);
  ASSERT_EQ(replay.size(), live.size());
  for (size_t i = 0; i < live.size(); ++i) {
    EXPECT_EQ(replay[i].slot, live[i].slot) << "strike " << i;
    EXPECT_NEAR(replay[i].timeMs, live[i].timeMs, kFrameMs) << "strike " << i;
    EXPECT_FLOAT_EQ(replay[i].volume, live[i].volume) << "strike " << i;
  }
}

// How hard each strike was goes to the side file beside the recording and
// comes back with it: the replay plays every strike at its own level. The
// side file is no recording of its own in the list.
TEST_F(RecordingTest, EachStrikesStrengthIsSavedBesideTheRecordingAndPlaysBack) {
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Frames(20);
  size_t recorded = 0, played = 0;
  Mark(&recorded);
  for (const auto& [button, velocity] : {std::pair{1, 0.2f}, {1, 1.0f}, {2, 0.5f}, {0, 0.05f}, {4, 1.0f}}) {
    if (button < 4) {
      const int axis = test::kXbox360VelocityAxis[button];
      Then([kit, axis, velocity = velocity](AppView&) { SetAxis(kit, axis, test::Xbox360VelocityReading(axis, velocity)); });
    }
    Hit(kit, button);
    Frames(10);
  }
  StopAndName("DYNAMICS");
  WaitForMode(MainMenu);
  Mark(&played);
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Then([](AppView& app) { EXPECT_EQ(app.recordingList.count, 1); });
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Frames(100);
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());

  EXPECT_TRUE(std::filesystem::exists("recordings/dynamics.plrv"));
  const std::vector<PlayedSound> live = Strikes(recorded, played), replay = Strikes(played);
  ASSERT_EQ(live.size(), 5u);
  ASSERT_EQ(replay.size(), live.size());
  const float strengths[] = {0.2f, 1.0f, 0.5f, 0.05f, 1.0f};
  for (size_t i = 0; i < live.size(); ++i) {
    EXPECT_NEAR(live[i].velocity, strengths[i], 1e-4f) << "strike " << i;
    EXPECT_EQ(replay[i].slot, live[i].slot) << "strike " << i;
    EXPECT_NEAR(replay[i].velocity, live[i].velocity, 1.0f / 65535) << "strike " << i;
    EXPECT_NEAR(replay[i].volume, live[i].volume, 1e-4f) << "strike " << i;
  }
  EXPECT_LT(live[0].volume, live[1].volume / 4);
}

// Both kits' pedals switch the secondaries: a held pedal is one press and
// one release, heard once, however many frames it is held through.
TEST_F(RecordingTest, TheModifierPedalsAreRecordedAsTheirPressAndReleaseAndHeardOnce) {
  SDL_Joystick* kit = AttachKit();
  SDL_Joystick* second = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  Then([](AppView& app) { app.instrument.pads.function[BassPedal] = app.instrument.pads.function[BassPedal + 5] = EnableSecondaries; });
  size_t from = 0;
  Mark(&from);
  Hold(kit, BassPedal, true);
  Frames(40);
  Hold(second, BassPedal, true);
  Frames(58);
  Hold(kit, BassPedal, false);
  Frames(20);
  Hold(second, BassPedal, false);
  Frames(3);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(SaveRecordingName);
  Then([](AppView& app) {
    EXPECT_EQ(app.recording.tracks[BassPedal], (std::vector<int32_t>{0, 1020}));  // a hold is two frames
    EXPECT_EQ(app.recording.tracks[BassPedal + 5], (std::vector<int32_t>{420, 1240}));
  });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  const std::vector<PlayedSound> strikes = Strikes(from);
  ASSERT_EQ(strikes.size(), 2u);  // only the presses are heard
  EXPECT_EQ(strikes[0].slot, BassPedal);
  EXPECT_EQ(strikes[1].slot, BassPedal + 5);
}

// The keys strike kit 0's pads on the recording screen as they do in Free
// Play: the first starts the take.
TEST_F(RecordingTest, TheKeysStartATakeAndPlayIntoIt) {
  Choose(kRecordEntry);
  WaitForMode(Record);
  Frames(5);
  size_t from = 0;
  Mark(&from);
  for (SDL_Scancode key : {SDL_SCANCODE_A, SDL_SCANCODE_D, SDL_SCANCODE_X}) {
    Press(key);
    Frames(10);
  }
  Then([](AppView&) { EXPECT_EQ(TextAt(220, 340), "Recording..."); });
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(SaveRecordingName);
  Then([](AppView& app) {
    EXPECT_EQ(app.recording.tracks[2].size(), 1u);  // A: the blue pad
    EXPECT_EQ(app.recording.tracks[0].size(), 1u);  // D: the red pad
    EXPECT_EQ(app.recording.tracks[BassPedal].size(), 1u);
    EXPECT_EQ(app.recording.tracks[2][0], 0);
  });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  const std::vector<PlayedSound> strikes = Strikes(from);
  ASSERT_EQ(strikes.size(), 3u);
  EXPECT_EQ(strikes[0].slot, 2);
  EXPECT_EQ(strikes[1].slot, 0);
  EXPECT_EQ(strikes[2].slot, BassPedal);
}

TEST_F(RecordingTest, ATwoKitRecordingSwitchesTheDrumSetWhilePlaying) {
  Recording duo;
  duo.kitCount = 2;
  duo.length = 100;
  duo.tracks[0] = {0};
  duo.tracks[7] = {100};
  for (float& volume : duo.volumes) volume = 0.25f;
  const std::vector<uint8_t> bytes = EncodeRecording(duo);
  test::WriteFile("recordings/duo.plr", std::string(bytes.begin(), bytes.end()));
  AttachKit();
  size_t from = 0;
  Mark(&from);
  PlayBackFirst(300);
  Then([](AppView& app) { EXPECT_EQ(app.drumSet->GetKitCount(), 2u); });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  Then([](AppView& app) { EXPECT_EQ(app.drumSet->GetKitCount(), 1u); });
  ASSERT_TRUE(RunScript());
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
  Frames(3);
  StopAndName("TAKE");
  Frames(5);
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, SaveRecordingName);
    EXPECT_TRUE(app.recording.HasEvents());
    std::filesystem::remove("recordings");  // the next try finds no file in the way
  });
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("recordings\\take.plr"), std::string::npos) << boxes[0];
  EXPECT_EQ(test::ReadFile("recordings/take.plr").size(), kPlrHeaderSize + kPlrPadSlots * 4 + 4 + kPlrVolumes * 4);
}

// A folder named like a recording is not listed; a damaged recording chosen
// in the list says what is wrong with it and leads back to the menu.
TEST_F(RecordingTest, AFolderIsNotListedAndADamagedRecordingSaysWhy) {
  std::filesystem::create_directories("recordings/a folder.plr");
  test::WriteFile("recordings/b damaged.plr", std::string(100, 'x'));
  AttachKit();
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Frames(1);
  Then([](AppView&) {
    EXPECT_EQ(TextAt(100, 100), "b damaged.plr");
    EXPECT_EQ(TextAt(100, 130), "");
  });
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Error|Could not open the recording \"recordings\\b damaged.plr\":\nit is not a recording.");
  EXPECT_NE(LogText().find("recording \"recordings\\b damaged.plr\": it is not a recording\n"), std::string::npos);
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

TEST_F(RecordingTest, AFileFromTheTablePlaysItsPedalAndItsSharedTimesTogether) {
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
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Then([&](AppView& app) { start = static_cast<uint32_t>(app.screens.player.startTime / Basalt::kNsPerMs); });
  Frames(110);
  ASSERT_TRUE(RunScript());
  std::vector<std::pair<int, uint32_t>> heard;
  for (size_t i = from; i < s_sounds.size(); ++i) {
    if (s_sounds[i].slot == kMetronomeSoundSlot) continue;
    heard.emplace_back(s_sounds[i].slot, s_sounds[i].timeMs - start);
    EXPECT_FLOAT_EQ(s_sounds[i].volume, 0.5f);
  }
  // The pedal's press at 100 is heard; the hi-hat plays its secondary (slot
  // 11) while the pedal is down and its primary after the release at 600;
  // three strikes at one time sound together.
  EXPECT_EQ(heard,
            (std::vector<std::pair<int, uint32_t>>{{4, 100}, {11, 300}, {1, 700}, {0, 1000}, {0, 1000}, {0, 1000}}));
}

// Frames of 100 ms, strikes in between: the take keeps each strike's own
// millisecond and plays it back on it.
TEST_F(RecordingTest, ATakeMadeWithSlowFramesPlaysBackOnTheMillisecondsOfItsStrikes) {
  SDL_Joystick* kit = AttachKit();
  Choose(kRecordEntry);
  WaitForMode(Record);
  size_t recorded = 0, played = 0;
  Mark(&recorded);
  for (int frame = 0; frame < 4; ++frame)
    Then([kit, frame](AppView&) {
      uint32_t elapsed = kFrameMs;
      for (uint32_t at : {17u, 41u, 74u}) {  // three strikes inside one frame
        AdvanceClock(at - elapsed);
        elapsed = at;
        SetButton(kit, frame % 2 ? 1 : 2, true);
        SetButton(kit, frame % 2 ? 1 : 2, false);
      }
      AdvanceClock(100 - elapsed);  // the frame's 100 ms in all
    });
  StopAndName("SLOW");
  WaitForMode(MainMenu);
  Mark(&played);
  PlayBackFirst(1000);
  ASSERT_TRUE(RunScript());
  const std::vector<PlayedSound> live = Strikes(recorded, played), replay = Strikes(played);
  ASSERT_EQ(live.size(), 12u);
  ASSERT_EQ(replay.size(), live.size());
  EXPECT_EQ(live[1].timeMs - live[0].timeMs, 24u);
  for (size_t i = 0; i < live.size(); ++i) {
    EXPECT_EQ(replay[i].slot, live[i].slot) << "strike " << i;
    EXPECT_NEAR(replay[i].timeMs, live[i].timeMs, 1) << "strike " << i;
  }
}

}  // namespace
