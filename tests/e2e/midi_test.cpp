// MIDI end to end: the real program with its ports on the system's
// sequencer (or, on a machine without one, without them), and the
// `backline --export-midi` command and the Playback screen's M key, whose
// files are read back by an independent reader (Python's mido).
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "backline/midi/midi_port_alsa_seq.h"
#include "backline/recording/plr_file.h"
#include "tests/support/app_script.h"
#include "tests/support/run_command.h"
#include "tests/support/sequencer_client.h"

namespace {

constexpr int kPlayBackEntry = 3;

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool Played(int slot) {
  const std::lock_guard<std::mutex> lock(test::AppHarness::s_soundsMutex);
  const std::vector<int>& played = test::AppHarness::s_played;
  return std::find(played.begin(), played.end(), slot) != played.end();
}

class MidiPortsTest : public test::AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    test::WriteFile("rmd.dat", "n");
  }
};

// Here, where the machine has no sequencer, the log says so once and the kit
// plays; where it has one, the log names the ports instead.
TEST_F(MidiPortsTest, TheLogSaysOnceWhatBecameOfTheMidiPortsAndTheKitPlaysEitherWay) {
  std::string why;
  const bool sequencer = test::SequencerClient::Open(&why) != nullptr;
  SDL_Joystick* kit = AttachKit();
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      EXPECT_EQ(app.midiPort != nullptr, sequencer);
      RecordPlayedSounds();
      app.mode = FreePlay;
      SetButton(kit, 1, true);  // the red pad
    }
    return frame < 3;
  });
  EXPECT_EQ(s_played, (std::vector<int>{0}));
  const std::string log = LogText();
  EXPECT_EQ(Occurrences(log, "MIDI: "), 1u) << log;
  if (sequencer) {
    EXPECT_NE(log.find("MIDI: strikes go out on \"Padlark\" ("), std::string::npos) << log;
  } else {
    EXPECT_NE(log.find("MIDI: no ALSA sequencer here (cannot open the sequencer \"default\": "), std::string::npos)
        << log;
    EXPECT_NE(log.find("): Padlark plays on without MIDI in or out"), std::string::npos) << log;
  }
}

// Another program on the sequencer hears the kit's strike as a note-on, and
// its note-on strikes the pad of its note.
TEST_F(MidiPortsTest, ThroughTheSequencerAStrikeGoesOutAsANoteOnAndANoteOnStrikesItsPad) {
  std::string why;
  std::unique_ptr<test::SequencerClient> other = test::SequencerClient::Open(&why);
  if (!other) GTEST_SKIP() << test::kNoSequencer << " (" << why << ")";
  SDL_Joystick* kit = AttachKit();
  test::SequencerClient::Received received;
  bool struck = false;
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      const auto* port = dynamic_cast<const MidiPortAlsaSeq*>(app.midiPort.get());
      EXPECT_NE(port, nullptr);
      if (!port || !other->ListenTo(port->Client(), port->OutputPort()) ||
          !other->PlayInto(port->Client(), port->InputPort()))
        return false;
      RecordPlayedSounds();
      app.mode = FreePlay;
      SetButton(kit, 1, true);  // the red pad: the snare
      return true;
    }
    if (frame == 1) {
      EXPECT_TRUE(other->Receive(&received, 5000));
      EXPECT_TRUE(other->SendNoteOn(9, 48, 127));  // the mid tom: kit 0's blue pad
    }
    struck = Played(2);
    return !struck && frame < 3000;  // frames until the input thread has read the note
  });
  EXPECT_EQ(received.type, SND_SEQ_EVENT_NOTEON);
  EXPECT_EQ(received.channel, 9);
  EXPECT_EQ(received.note, 38);
  EXPECT_EQ(received.velocity, 127);
  EXPECT_TRUE(struck);
}

// A recording with its strengths side file, on two kits: kit 0's pedal holds
// the secondaries and red names one (a side stick).
class MidiExportTest : public test::ScriptedAppTest {
 protected:
  void SetUp() override {
    ScriptedAppTest::SetUp();
    Recording take;
    take.kitCount = 2;
    take.pads[4].enablesSecondaries = true;
    std::strcpy(take.pads[0].secondary, "SampleBank\\Snares\\Rimshot.wav");
    struct Strike {
      int slot;
      int32_t ms;
      float velocity;
    };
    const Strike strikes[] = {
        {0, 0, 1.0f},    {0, 500, 0.5f},  {4, 1000, 1.0f}, {0, 1500, 0.25f}, {2, 1500, 0.0f},
        {2, 1510, 1.0f}, {4, 2000, 1.0f}, {8, 2500, 0.75f},
    };
    for (const Strike& strike : strikes) {
      take.tracks[strike.slot].push_back(strike.ms);
      take.velocities[strike.slot].push_back(strike.velocity);
    }
    take.length = 2500;
    for (float& volume : take.volumes) volume = 1.0f;
    ASSERT_TRUE(SaveRecording("recordings\\take.plr", take));
    ASSERT_TRUE(std::filesystem::exists("recordings/take.plrv"));
    // kit 1's green plays a second crash instead of the splash
    test::WriteFile("settings.cfg", test::ReadFile("settings.cfg") + "g_midiNoteGreenKit1 = 57\n");
  }

  // What mido reads in the file at path: the header, then every message at its tick.
  static std::string ReadWithMido(const std::string& path) {
    std::string output;
    const int status = test::RunCommand(std::string(PADLARK_PYTHON3) + " " + READ_MIDI_SCRIPT + " " + path, &output);
    EXPECT_EQ(status, 0) << output;
    return output;
  }
};

// Worked out by hand: 480 ticks a quarter note at 120 BPM is 0.96 tick a
// millisecond, and a note lasts 50 ms (48 ticks).
const char kTakeAsMido[] =
    "type 0 tracks 1 ticks 480\n"
    "0 tempo 500000\n"
    "0 note_on 9 38 127\n"     // red at 0 ms: the snare
    "48 note_off 9 38 64\n"    //
    "480 note_on 9 38 64\n"    // 500 ms, at half strength
    "528 note_off 9 38 64\n"   //
    "960 note_on 9 36 127\n"   // 1000 ms: the pedal pressed sounds the kick and holds the secondaries
    "1008 note_off 9 36 64\n"  //
    "1440 note_on 9 37 32\n"   // 1500 ms: red's secondary, the side stick, at a quarter
    "1440 note_on 9 48 1\n"    //          blue, which names none: its tom, as softly as a strike goes out
    "1450 note_off 9 48 64\n"  // 1510 ms: the tom again ends the first one
    "1450 note_on 9 48 127\n"  //
    "1488 note_off 9 37 64\n"  //
    "1498 note_off 9 48 64\n"  // (2000 ms: the pedal let go is no note)
    "2400 note_on 9 57 95\n"   // 2500 ms: kit 1's green at three quarters, its note from settings.cfg
    "2448 note_off 9 57 64\n"  //
    "2448 end\n";

TEST_F(MidiExportTest, TheCommandsFileReadByMidoHoldsEveryNoteInOrderToTheTick) {
  std::string output;
  ASSERT_EQ(test::RunCommand(std::string(BACKLINE_PATH) + " --export-midi recordings/take.plr take.mid", &output), 0)
      << output;
  EXPECT_EQ(output, "Exported recordings/take.plr to take.mid (a Standard MIDI File, 120 BPM)\n");
  EXPECT_EQ(ReadWithMido("take.mid"), kTakeAsMido);
  EXPECT_FALSE(std::filesystem::exists("take.mid.partial"));
}

TEST_F(MidiExportTest, AnExportThatCannotBeMadeSaysWhyAndLeavesTheFileThereAsItWas) {
  const auto exportTo = [](const char* recording, const char* midi, std::string* output) {
    return test::RunCommand(std::string(BACKLINE_PATH) + " --export-midi " + recording + " " + midi, output);
  };
  test::WriteFile("recordings/cut.plr", test::ReadFile("recordings/take.plr").substr(0, 100));
  test::WriteFile("cut.mid", "kept");
  std::string output;
  EXPECT_EQ(exportTo("recordings/cut.plr", "cut.mid", &output), EXIT_FAILURE);
  EXPECT_EQ(output.rfind("Cannot export recordings/cut.plr: ", 0), 0u) << output;
  EXPECT_EQ(test::ReadFile("cut.mid"), "kept");

  std::filesystem::create_directory("folder.mid");
  output.clear();
  EXPECT_EQ(exportTo("recordings/take.plr", "folder.mid", &output), EXIT_FAILURE);
  EXPECT_NE(output.find("cannot write folder.mid"), std::string::npos) << output;
  EXPECT_TRUE(std::filesystem::is_directory("folder.mid"));
  EXPECT_NE(test::ReadFile("exportlog.txt").find("cannot write folder.mid"), std::string::npos);
}

TEST_F(MidiExportTest, MOnThePlaybackScreenWritesTheRecordingBesideItAndNamesTheFile) {
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Press(SDL_SCANCODE_M);
  Until([](AppView&) { return std::filesystem::exists("recordings/take.mid"); });
  Frames(1);
  std::string saved;
  Then([&](AppView&) {
    for (const DrawnText& text : QueuedText())
      if (text.text.rfind("Saved ", 0) == 0) saved = text.text;
  });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  EXPECT_EQ(saved, "Saved recordings/take.mid");
  for (const std::string& box : boxes) EXPECT_NE(box.rfind("Error|", 0), 0u) << box;
  EXPECT_EQ(ReadWithMido("recordings/take.mid"), kTakeAsMido);
}

TEST_F(MidiExportTest, AMidiFileThatCannotBeWrittenFromThePlaybackScreenIsAMessageAndNoFile) {
  std::filesystem::create_directory("recordings/take.mid");
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Press(SDL_SCANCODE_M);
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  const std::string expected = "Error|Could not save the recording as a MIDI file:\ncannot write recordings/take.mid: ";
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().rfind(expected, 0), 0u) << boxes.back();
  EXPECT_TRUE(std::filesystem::is_directory("recordings/take.mid"));
}

}  // namespace
