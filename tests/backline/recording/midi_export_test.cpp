#include "backline/midi/midi_message.h"
#include "backline/recording/midi_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"

namespace {

struct Strike {
  int slot;
  int32_t ms;
  float velocity;
};

// A recording of strikes, kit 0's pedal holding the secondaries and red
// naming one.
Recording RecordingOf(const std::vector<Strike>& strikes, int version = 3) {
  Recording recording;
  recording.version = version;
  recording.kitCount = 2;
  recording.pads[4].enablesSecondaries = true;
  std::strcpy(recording.pads[0].secondary, "SampleBank\\Snares\\Rimshot.wav");
  for (const Strike& strike : strikes) {
    recording.tracks[strike.slot].push_back(strike.ms);
    recording.velocities[strike.slot].push_back(strike.velocity);
    recording.length = std::max(recording.length, strike.ms);
  }
  return recording;
}

std::string Notes(const std::vector<MidiFileNote>& notes) {
  std::string text;
  for (const MidiFileNote& note : notes)
    text += std::to_string(note.ms) + ":" + std::to_string(note.note) + "@" + std::to_string(MidiVelocityOf(note.velocity)) + " ";
  return text;
}

class MidiExportTest : public test::EngineFixture {
 protected:
  const MidiNoteTable m_notes = MidiNoteTable::FromSettings();
};

TEST_F(MidiExportTest, EveryStrikePlaybackHearsIsTheNoteOfItsPadSoundAtItsRecordedStrength) {
  const Recording recording = RecordingOf({
      {0, 0, 1.0f},      // red: the snare
      {0, 500, 0.5f},    //
      {4, 1000, 1.0f},   // the pedal pressed: it sounds its kick and holds the secondaries
      {0, 1500, 0.25f},  // red's secondary: the side stick
      {2, 1500, 0.0f},   // blue names none: its own tom, as softly as a note can be
      {4, 2000, 1.0f},   // the pedal let go: not heard
      {0, 2010, 1.0f},   // the snare again
      {8, 2500, 0.75f},  // kit 1's green: the splash
  });
  EXPECT_EQ(Notes(RecordingMidiNotes(recording, m_notes)),
            "0:38@127 500:38@64 1000:36@127 1500:37@32 1500:48@1 2010:38@127 2500:55@95 ");

  Recording withoutStrengths = recording;
  for (std::vector<float>& track : withoutStrengths.velocities) track.clear();
  EXPECT_EQ(Notes(RecordingMidiNotes(withoutStrengths, m_notes)),
            "0:38@127 500:38@127 1000:36@127 1500:37@127 1500:48@127 2010:38@127 2500:55@127 ");

  Recording version2 = recording;  // its pedal presses switch the secondaries unheard
  version2.version = 2;
  EXPECT_EQ(Notes(RecordingMidiNotes(version2, m_notes)),
            "0:38@127 500:38@64 1500:37@32 1500:48@1 2010:38@127 2500:55@95 ");
}

TEST_F(MidiExportTest, ATinyRecordingIsWrittenAsAWholeFileOfItsBytes) {
  const Recording recording = RecordingOf({{4, 0, 1.0f}, {3, 1000, 0.5f}});  // the kick, a crash a second later
  ASSERT_EQ(ExportRecordingMidi(recording, m_notes, "recordings\\take.mid"), "");
  const std::vector<uint8_t> expected = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,  // format 0, one track, 480 ticks a quarter note
      'M', 'T', 'r', 'k', 0, 0, 0, 28,                           //
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                  // 120 BPM
      0x00, 0x99, 36, 127,                                       // the kick at once
      0x30, 0x89, 36, 0x40,                                      // its note-off 48 ticks (50 ms) later
      0x87, 0x10, 0x99, 49, 64,                                    // the crash at 960 ticks
      0x30, 0x89, 49, 0x40,                                      //
      0x00, 0xFF, 0x2F, 0x00,                                    // end of track
  };
  const std::string written = test::ReadFile("recordings/take.mid");
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected);
  EXPECT_FALSE(std::filesystem::exists("recordings/take.mid.partial"));
}

TEST_F(MidiExportTest, AStrikeNoFileCanHoldIsRefusedAndTheFileThereIsKept) {
  test::WriteFile("take.mid", "the take before");
  const Recording recording = RecordingOf({{0, 100, 1.0f}, {1, -5, 1.0f}});
  const std::string why = ExportRecordingMidi(recording, m_notes, "take.mid");
  EXPECT_EQ(why, "cannot write take.mid: the recording has a strike at -5 ms, which a MIDI file cannot hold");
  EXPECT_EQ(test::ReadFile("take.mid"), "the take before");
  EXPECT_NE(LogText().find(why), std::string::npos);
  EXPECT_NE(ExportRecordingMidi(RecordingOf({{0, 2147483647, 1.0f}}), m_notes, "take.mid"), "");

  std::filesystem::create_directory("folder.mid");
  EXPECT_EQ(ExportRecordingMidi(RecordingOf({{0, 0, 1.0f}}), m_notes, "folder.mid").rfind("cannot write folder.mid: ", 0),
            0u);
  EXPECT_TRUE(std::filesystem::is_directory("folder.mid"));
}

}  // namespace
