#include "backline/midi/midi_notes.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "basalt/foundation/cvar.h"
#include "basalt/foundation/cvar_system.h"

int g_midiOut;  // holds its default once RegisterMidiSettings has run

namespace {

// Sound slot order: kit 0's red, yellow, blue, green and bass pedal, kit 1's,
// then the same pads' secondaries. The defaults follow the starter kit's
// samples.
int g_midiNotes[kVolumeSlots];

}  // namespace

void RegisterMidiSettings() {
  using Basalt::cvar;
  static const cvar kSettings[] = {
      {&g_midiOut, "g_midiOut", 1, "1 sends each strike as a MIDI note on the \"Padlark\" port; 0 sends nothing", 0, 1},
      {&g_midiNotes[0], "g_midiNoteRed", 38, "MIDI note of kit 0's red pad (acoustic snare); 0 to 127", 0, 127},
      {&g_midiNotes[1], "g_midiNoteYellow", 42, "MIDI note of kit 0's yellow pad (closed hi-hat); 0 to 127", 0, 127},
      {&g_midiNotes[2], "g_midiNoteBlue", 48, "MIDI note of kit 0's blue pad (hi-mid tom); 0 to 127", 0, 127},
      {&g_midiNotes[3], "g_midiNoteGreen", 49, "MIDI note of kit 0's green pad (crash); 0 to 127", 0, 127},
      {&g_midiNotes[4], "g_midiNoteBass", 36, "MIDI note of kit 0's bass pedal (bass drum); 0 to 127", 0, 127},
      {&g_midiNotes[5], "g_midiNoteRedKit1", 40, "MIDI note of kit 1's red pad (electric snare); 0 to 127", 0, 127},
      {&g_midiNotes[6], "g_midiNoteYellowKit1", 51, "MIDI note of kit 1's yellow pad (ride); 0 to 127", 0, 127},
      {&g_midiNotes[7], "g_midiNoteBlueKit1", 45, "MIDI note of kit 1's blue pad (low tom); 0 to 127", 0, 127},
      {&g_midiNotes[8], "g_midiNoteGreenKit1", 55, "MIDI note of kit 1's green pad (splash); 0 to 127", 0, 127},
      {&g_midiNotes[9], "g_midiNoteBassKit1", 35, "MIDI note of kit 1's bass pedal (acoustic bass drum); 0 to 127", 0, 127},
      {&g_midiNotes[10], "g_midiNoteRedSecondary", 37, "MIDI note of kit 0's red pad secondary (side stick); 0 to 127", 0, 127},
      {&g_midiNotes[11], "g_midiNoteYellowSecondary", 46, "MIDI note of kit 0's yellow pad secondary (open hi-hat); 0 to 127", 0, 127},
      {&g_midiNotes[12], "g_midiNoteBlueSecondary", 50, "MIDI note of kit 0's blue pad secondary (high tom); 0 to 127", 0, 127},
      {&g_midiNotes[13], "g_midiNoteGreenSecondary", 41, "MIDI note of kit 0's green pad secondary (low floor tom); 0 to 127", 0, 127},
      {&g_midiNotes[14], "g_midiNoteBassSecondary", 44, "MIDI note of kit 0's bass pedal secondary (pedal hi-hat); 0 to 127", 0, 127},
      {&g_midiNotes[15], "g_midiNoteRedSecondaryKit1", 39, "MIDI note of kit 1's red pad secondary (hand clap); 0 to 127", 0, 127},
      {&g_midiNotes[16], "g_midiNoteYellowSecondaryKit1", 53, "MIDI note of kit 1's yellow pad secondary (ride bell); 0 to 127", 0, 127},
      {&g_midiNotes[17], "g_midiNoteBlueSecondaryKit1", 56, "MIDI note of kit 1's blue pad secondary (cowbell); 0 to 127", 0, 127},
      {&g_midiNotes[18], "g_midiNoteGreenSecondaryKit1", 52, "MIDI note of kit 1's green pad secondary (Chinese cymbal); 0 to 127", 0, 127},
      {&g_midiNotes[19], "g_midiNoteBassSecondaryKit1", 54, "MIDI note of kit 1's bass pedal secondary (tambourine); 0 to 127", 0, 127},
  };
  static_assert(sizeof kSettings / sizeof kSettings[0] == kVolumeSlots + 1, "one note per sound slot");
  Basalt::CVarSystem::Register(kSettings);
}

MidiNoteTable::MidiNoteTable() { std::fill(std::begin(m_padSlot), std::end(m_padSlot), static_cast<int8_t>(-1)); }

MidiNoteTable MidiNoteTable::FromSettings() {
  MidiNoteTable table;
  for (int soundSlot = kVolumeSlots - 1; soundSlot >= 0; --soundSlot) {
    const auto note = static_cast<uint8_t>(g_midiNotes[soundSlot]);
    table.m_note[soundSlot] = note;
    table.m_padSlot[note] = static_cast<int8_t>(soundSlot % kPadSlots);  // the earliest sound slot wins
  }
  return table;
}

uint8_t MidiNoteTable::NoteOf(int soundSlot) const {
  assert(soundSlot >= 0 && soundSlot < kVolumeSlots);
  return m_note[soundSlot];
}

int MidiNoteTable::PadSlotOf(int note) const {
  if (note < 0 || note >= kMidiNotes) return -1;
  return m_padSlot[note];
}
