#include "backline/midi/midi_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The file's bytes from the header's fields, a track of the given body and its end.
Bytes FileOf(const Bytes& body) {
  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0};  // format 0, one track, 480 ticks
  const Bytes tempo120 = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};     // 500000 us a quarter note
  const Bytes end = {0x00, 0xFF, 0x2F, 0x00};
  const size_t length = tempo120.size() + body.size() + end.size();
  file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
  file.insert(file.end(), tempo120.begin(), tempo120.end());
  file.insert(file.end(), body.begin(), body.end());
  file.insert(file.end(), end.begin(), end.end());
  return file;
}

TEST(MidiFileTest, ATinyRecordingIsAFormatZeroFileOfNotesAndTheirNoteOffs) {
  // A kick, then a snare at half strength and a hi-hat together half a second later.
  const Bytes file = EncodeMidiFile({{0, 36, 1.0f}, {500, 38, 0.5f}, {500, 42, 1.0f}}, 120);
  EXPECT_EQ(file, FileOf({
                      0x00, 0x99, 36, 127,        // tick 0
                      0x30, 0x89, 36, 0x40,       // 48: 50 ms later
                      0x83, 0x30, 0x99, 38, 64,   // 480 (a delta of 432 in two bytes)
                      0x00, 0x99, 42, 127,        //
                      0x30, 0x89, 38, 0x40,       // 528
                      0x00, 0x89, 42, 0x40,       //
                  }));
  EXPECT_EQ(EncodeMidiFile({}, 120), FileOf({}));
}

TEST(MidiFileTest, ANoteStruckAgainSoonerThanItsLengthEndsWhereItStartsAgain) {
  const Bytes file = EncodeMidiFile({{0, 36, 1.0f}, {20, 36, 1.0f}}, 120);  // ticks 0 and 19
  EXPECT_EQ(file, FileOf({
                      0x00, 0x99, 36, 127,   //
                      0x13, 0x89, 36, 0x40,  // 19: before the next note-on of the same tick
                      0x00, 0x99, 36, 127,   //
                      0x30, 0x89, 36, 0x40,  // 67
                  }));
}

TEST(MidiFileTest, OneNoteStruckTwiceInOneTickSoundsOnceAtTheHarderStrike) {
  // 12 and 13 ms both round to tick 12; another note in the same tick stays.
  const Bytes file = EncodeMidiFile({{12, 38, 0.25f}, {12, 36, 1.0f}, {13, 38, 0.5f}}, 120);
  EXPECT_EQ(file, FileOf({
                      0x0C, 0x99, 38, 64,    //
                      0x00, 0x99, 36, 127,   //
                      0x30, 0x89, 38, 0x40,  // 60
                      0x00, 0x89, 36, 0x40,  //
                  }));
}

TEST(MidiFileTest, TicksAreRoundedFromEachStrikesOwnMillisecondAtTheTempo) {
  EXPECT_EQ(MidiFileTickOf(0, 120), 0);
  EXPECT_EQ(MidiFileTickOf(13, 120), 12);  // 12.48
  EXPECT_EQ(MidiFileTickOf(1000, 120), 960);
  EXPECT_EQ(MidiFileTickOf(600000, 120), 576000);
  EXPECT_EQ(MidiFileTickOf(1000, 60), 480);
  EXPECT_EQ(MidiFileTickOf(1000, 100), 800);
  // Ten minutes in: a delta of three bytes.
  const Bytes file = EncodeMidiFile({{600000, 36, 1.0f}}, 120);
  const Bytes start(file.begin() + 29, file.begin() + 36);
  EXPECT_EQ(start, (Bytes{0xA3, 0x94, 0x00, 0x99, 36, 127, 0x30}));
}

TEST(MidiFileTest, AFileHoldsStrikesFromZeroToWhatTwentyEightBitsOfTicksCount) {
  EXPECT_FALSE(MidiFileCanHold(-1, 120));
  EXPECT_TRUE(MidiFileCanHold(0, 120));
  EXPECT_TRUE(MidiFileCanHold(279000000, 120));   // about 77 hours
  EXPECT_FALSE(MidiFileCanHold(280000000, 120));  // past 0x0FFFFFFF ticks
  EXPECT_FALSE(MidiFileCanHold(2147483647, 120));
}

}  // namespace
