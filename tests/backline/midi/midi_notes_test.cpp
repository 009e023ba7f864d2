#include "backline/midi/midi_notes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "basalt/foundation/cvar_system.h"
#include "tests/support/engine_fixture.h"

namespace {

class MidiNotesTest : public test::EngineFixture {
 protected:
  void TearDown() override {
    Basalt::CVarSystem::RestoreDefaults();
    EngineFixture::TearDown();
  }
  static void Settings(const char* text) {
    Basalt::CVarSystem settings;
    settings.ParseFile(text, static_cast<unsigned>(std::strlen(text)), "settings.cfg");
  }
};

TEST_F(MidiNotesTest, TheDefaultsAreGeneralMidiDrumsOfTheStarterKitEachPadItsOwn) {
  const MidiNoteTable table = MidiNoteTable::FromSettings();
  // Kit 0: snare, closed hi-hat, hi-mid tom, crash, kick; kit 1: electric
  // snare, ride, low tom, splash, bass drum; then the secondaries: side stick,
  // open hi-hat, high tom, floor tom, pedal hi-hat; clap, ride bell, cowbell,
  // china, tambourine.
  const int expected[kVolumeSlots] = {38, 42, 48, 49, 36, 40, 51, 45, 55, 35,
                                      37, 46, 50, 41, 44, 39, 53, 56, 52, 54};
  for (int soundSlot = 0; soundSlot < kVolumeSlots; ++soundSlot) {
    EXPECT_EQ(table.NoteOf(soundSlot), expected[soundSlot]) << soundSlot;
    EXPECT_EQ(table.PadSlotOf(expected[soundSlot]), soundSlot % kPadSlots) << soundSlot;
  }
  EXPECT_EQ(table.PadSlotOf(60), -1);
  EXPECT_EQ(table.PadSlotOf(-1), -1);
  EXPECT_EQ(table.PadSlotOf(128), -1);
  EXPECT_EQ(MidiNoteTable().PadSlotOf(0), -1);
}

TEST_F(MidiNotesTest, TheSettingsChangeTheNotesAndASharedNoteStrikesTheFirstPad) {
  Settings(
      "g_midiNoteRed = 60\n"
      "g_midiNoteYellowSecondaryKit1 = 36\n"  // the kick's note as well
      "g_midiNoteBlueKit1 = 60\n"
      "g_midiNoteGreen = 128\n"  // refused: the default stays
      "g_midiOut = 2\n");
  const MidiNoteTable table = MidiNoteTable::FromSettings();
  EXPECT_EQ(table.NoteOf(0), 60);
  EXPECT_EQ(table.NoteOf(16), 36);
  EXPECT_EQ(table.NoteOf(7), 60);
  EXPECT_EQ(table.NoteOf(3), 49);
  EXPECT_EQ(g_midiOut, 1);
  EXPECT_EQ(table.PadSlotOf(60), 0);  // red before kit 1's blue
  EXPECT_EQ(table.PadSlotOf(36), 4);  // the kick before kit 1's yellow secondary
  EXPECT_EQ(table.PadSlotOf(38), -1);  // the snare's old note
  EXPECT_NE(LogText().find("g_midiNoteGreen"), std::string::npos);
  EXPECT_NE(LogText().find("g_midiOut"), std::string::npos);
}

}  // namespace
