#pragma once
// Which General MIDI drum note each pad sound sends and answers to: twenty
// console variables, one per pad sound (sound slots 0..19: each pad slot's
// primary and its secondary), g_midiNote<Pad> for kit 0, <Pad>Kit1 for kit 1,
// and Secondary for the sample a pad plays while a modifier pedal is held
// ("g_midiNoteRed", "g_midiNoteRedSecondaryKit1"). Each accepts 0..127.
// g_midiOut switches sending off (0) or on (1, the default).
//
// The table is built once on the main thread, before the input thread reads
// it, and only read from then on (any thread).
#include <cstdint>

#include "backline/common/pad_slots.h"

extern int g_midiOut;

// Declares g_midiOut and the twenty notes to CVarSystem, each with its
// default and the range 0..127 (0..1 for g_midiOut), which the settings file
// cannot leave. Main thread, at start-up.
void RegisterMidiSettings();

constexpr int kMidiNotes = 128;

class MidiNoteTable {
 public:
  // Every pad sound sends note 0; no note strikes a pad.
  MidiNoteTable();
  // The notes as the console variables hold them now.
  static MidiNoteTable FromSettings();

  // The note the pad sound soundSlot (0..19) sends.
  uint8_t NoteOf(int soundSlot) const;
  // The pad slot a note strikes: the first pad sound, in sound slot order
  // (kit 0's pads, kit 1's, then their secondaries), that sends it; -1 for
  // a note no pad sends.
  int PadSlotOf(int note) const;

 private:
  uint8_t m_note[kVolumeSlots] = {};
  int8_t m_padSlot[kMidiNotes];
};
