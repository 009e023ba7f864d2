#include "backline/midi/midi_message.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

MidiMessage Bytes(uint8_t status, uint8_t data1, uint8_t data2) { return {status, data1, data2}; }

TEST(MidiMessageTest, AStrikeIsANoteOnOnChannelTenAtItsVelocityAndItsNoteOffFollows) {
  EXPECT_EQ(DrumNoteOn(38, 1.0f), Bytes(0x99, 38, 127));
  EXPECT_EQ(DrumNoteOn(36, 0.5f), Bytes(0x99, 36, 64));
  EXPECT_EQ(DrumNoteOn(0, 1.0f), Bytes(0x99, 0, 127));
  EXPECT_EQ(DrumNoteOn(127, 1.0f), Bytes(0x99, 127, 127));
  EXPECT_EQ(DrumNoteOff(38), Bytes(0x89, 38, 0x40));
}

TEST(MidiMessageTest, EveryStrikeHasAVelocityOfOneTo127SoThatNoneReadsAsANoteOff) {
  EXPECT_EQ(MidiVelocityOf(0.0f), 1);  // the softest strike still sounds
  EXPECT_EQ(MidiVelocityOf(0.003f), 1);
  EXPECT_EQ(MidiVelocityOf(-0.5f), 1);
  EXPECT_EQ(MidiVelocityOf(1.0f / 127.0f), 1);
  EXPECT_EQ(MidiVelocityOf(2.0f / 127.0f), 2);
  EXPECT_EQ(MidiVelocityOf(0.25f), 32);
  EXPECT_EQ(MidiVelocityOf(1.0f), 127);  // keys and kits without velocity
  EXPECT_EQ(MidiVelocityOf(1.7f), 127);
  EXPECT_EQ(MidiVelocityOf(std::nanf("")), 127);
  EXPECT_EQ(DrumNoteOn(40, 0.0f).data2, 1);
}

TEST(MidiMessageTest, ANoteOnOfAnyChannelStrikesButNotAtVelocityZeroNorAnyOtherMessage) {
  IncomingNote note;
  ASSERT_TRUE(ReadNoteOn(Bytes(0x99, 38, 127), &note));
  EXPECT_EQ(note.note, 38);
  EXPECT_FLOAT_EQ(note.velocity, 1.0f);
  ASSERT_TRUE(ReadNoteOn(Bytes(0x90, 36, 1), &note));  // channel 1, the softest
  EXPECT_EQ(note.note, 36);
  EXPECT_FLOAT_EQ(note.velocity, 1.0f / 127.0f);
  ASSERT_TRUE(ReadNoteOn(Bytes(0x9F, 42, 64), &note));
  EXPECT_FLOAT_EQ(note.velocity, 64.0f / 127.0f);

  note = {};
  EXPECT_FALSE(ReadNoteOn(Bytes(0x99, 38, 0), &note));     // a note-off written as a note-on
  EXPECT_FALSE(ReadNoteOn(Bytes(0x89, 38, 64), &note));    // a note-off
  EXPECT_FALSE(ReadNoteOn(Bytes(0xB9, 4, 127), &note));    // a controller (the hi-hat pedal's)
  EXPECT_FALSE(ReadNoteOn(Bytes(0xA9, 38, 100), &note));   // aftertouch
  EXPECT_FALSE(ReadNoteOn(Bytes(0x99, 200, 100), &note));  // not a data byte
  EXPECT_FALSE(ReadNoteOn(Bytes(0x99, 38, 128), &note));
  EXPECT_EQ(note.note, 0);
}

}  // namespace
