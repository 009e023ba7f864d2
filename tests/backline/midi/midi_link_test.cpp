#include "backline/midi/midi_link.h"

#include <gtest/gtest.h>

#include "tests/backline/midi/fake_midi_port.h"

namespace {

class MidiLinkTest : public ::testing::Test {
 protected:
  test::FakeMidiPort m_port;
  MidiLink m_link{&m_port, MidiNoteTable::FromSettings(), true};
};

TEST_F(MidiLinkTest, AStrikeSendsItsPadSoundsNoteNowAndTheNoteOffAFiftiethOfASecondLater) {
  m_link.SendStrike(0, 1.0f);    // kit 0's red: the snare
  m_link.SendStrike(11, 0.5f);   // kit 0's yellow secondary: the open hi-hat
  m_link.SendStrike(9, 0.0f);    // kit 1's pedal, as softly as can be
  EXPECT_EQ(m_port.Sent(), "99 26 7f, 89 26 40 +50, 99 2e 40, 89 2e 40 +50, 99 23 01, 89 23 40 +50");
}

TEST_F(MidiLinkTest, NothingIsSentWhenSwitchedOffOrWithoutAPortAndANoteThatFailedHasNoNoteOff) {
  MidiLink off(&m_port, MidiNoteTable::FromSettings(), false);
  off.SendStrike(0, 1.0f);
  MidiLink none;
  none.SendStrike(0, 1.0f);
  EXPECT_EQ(m_port.Sent(), "");
  MidiStrike strike;
  EXPECT_FALSE(none.TakeStrike(&strike));

  m_port.Refuse();
  m_link.SendStrike(0, 1.0f);
  EXPECT_EQ(m_port.SentCount(), 0);
}

TEST_F(MidiLinkTest, NoteOnsThatComeInStrikeThePadOfTheirNoteAndEverythingElseIsSkipped) {
  m_port.Arrive({0xB9, 4, 90});    // a controller
  m_port.Arrive({0x99, 60, 100});  // a note no pad sends
  m_port.Arrive({0x99, 38, 0});    // a note-off as a note-on
  m_port.Arrive({0x90, 38, 127});  // the snare, on channel 1
  m_port.Arrive({0x89, 38, 64});   // its note-off
  m_port.Arrive({0x99, 46, 1});    // the open hi-hat: kit 0's yellow pad
  m_port.Arrive({0x99, 35, 64});   // kit 1's kick
  MidiStrike strike;
  ASSERT_TRUE(m_link.TakeStrike(&strike));
  EXPECT_EQ(strike.padSlot, 0);
  EXPECT_FLOAT_EQ(strike.velocity, 1.0f);
  ASSERT_TRUE(m_link.TakeStrike(&strike));
  EXPECT_EQ(strike.padSlot, 1);
  EXPECT_FLOAT_EQ(strike.velocity, 1.0f / 127.0f);
  ASSERT_TRUE(m_link.TakeStrike(&strike));
  EXPECT_EQ(strike.padSlot, 9);
  EXPECT_FLOAT_EQ(strike.velocity, 64.0f / 127.0f);
  EXPECT_FALSE(m_link.TakeStrike(&strike));
  EXPECT_EQ(m_port.SentCount(), 0);  // nothing that comes in goes out again
}

}  // namespace
