#pragma once
// The MIDI messages a strike becomes and the ones that strike a pad, as the
// three bytes of a channel voice message. Strikes go out on channel 10 (the
// General MIDI drum channel, status 0x99 for a note-on); notes come in on any
// channel. Pure functions, any thread, nothing allocated.
#include <cstdint>

struct MidiMessage {
  uint8_t status = 0;
  uint8_t data1 = 0;  // the note
  uint8_t data2 = 0;  // the velocity
};

inline bool operator==(const MidiMessage& a, const MidiMessage& b) {
  return a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2;
}

constexpr uint8_t kMidiDrumChannel = 9;  // channel 10, counted from 0
// How long a sent note lasts: its note-off follows the note-on by this much.
constexpr uint32_t kMidiNoteLengthMs = 50;

// A strike's velocity (0..1, outside clamped, NaN as 1) as a MIDI velocity:
// 1..127, 127 for a full strike. Never 0, which a receiver reads as a note-off.
uint8_t MidiVelocityOf(float velocity);

// The note-on of a strike of note (0..127) at velocity (0..1) on channel 10.
MidiMessage DrumNoteOn(uint8_t note, float velocity);
// Its note-off (velocity 0x40).
MidiMessage DrumNoteOff(uint8_t note);

// A note that strikes: the note and its velocity as a strike's (1/127..1).
struct IncomingNote {
  uint8_t note = 0;
  float velocity = 1.0f;
};

// Whether message is a note-on on any channel with a velocity above 0 (a
// note-on at velocity 0 is a note-off); its note into out when it is.
bool ReadNoteOn(const MidiMessage& message, IncomingNote* out);
