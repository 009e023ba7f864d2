#pragma once
// A Standard MIDI File of drum strikes: format 0 (one track), 480 ticks per
// quarter note, a tempo meta event first, then each strike as a note-on on
// channel 10 and its note-off kMidiNoteLengthMs later (earlier when the same
// note is struck again sooner: it ends where it starts again), and the
// end-of-track. Times are whole ticks rounded from each strike's own
// millisecond, so no error adds up along the track. Pure; any thread.
#include <cstdint>
#include <vector>

constexpr int kMidiFileTicksPerQuarter = 480;
constexpr int kMidiFileDefaultBpm = 120;

struct MidiFileNote {
  int32_t ms = 0;  // from the file's start, 0 or more
  uint8_t note = 0;
  float velocity = 1.0f;  // 0..1, as a strike's (MidiVelocityOf)
};

// The tick of the millisecond ms at bpm quarter notes a minute, rounded to the nearest.
int64_t MidiFileTickOf(int64_t ms, int bpm);

// Whether a note struck at ms (and its note-off) fits a file at bpm: from 0
// on, and its ticks within the 28 bits a delta time can count.
bool MidiFileCanHold(int64_t ms, int bpm);

// The file's bytes for notes in time order (equal times in the order they
// are given; one note struck twice in one tick sounds once, at the harder
// velocity) at bpm (1..1000); each note's ms one MidiFileCanHold.
std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiFileNote>& notes, int bpm);
