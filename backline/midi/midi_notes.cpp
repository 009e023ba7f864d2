#include "backline/midi/midi_notes.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "basalt/core/cvar.h"

int g_midiOut = 1;

namespace {

// Sound slot order: kit 0's red, yellow, blue, green and bass pedal, kit 1's,
// then the same pads' secondaries. The defaults follow the starter kit's
// samples (snare and rimshot, closed and open hi-hat, mid and high tom, crash
// and floor tom, kick and pedal hi-hat; crack snare and clap, ride and bell,
// low tom and cowbell, splash and china, a second kick and a tambourine).
int g_midiNotes[kVolumeSlots] = {38, 42, 48, 49, 36, 40, 51, 45, 55, 35,
                                 37, 46, 50, 41, 44, 39, 53, 56, 52, 54};

using Basalt::cvar;
const cvar kMidiOut(&g_midiOut, "g_midiOut", 0, 1);
const cvar kMidiNoteVariables[kVolumeSlots] = {
    {&g_midiNotes[0], "g_midiNoteRed", 0, 127},
    {&g_midiNotes[1], "g_midiNoteYellow", 0, 127},
    {&g_midiNotes[2], "g_midiNoteBlue", 0, 127},
    {&g_midiNotes[3], "g_midiNoteGreen", 0, 127},
    {&g_midiNotes[4], "g_midiNoteBass", 0, 127},
    {&g_midiNotes[5], "g_midiNoteRedKit1", 0, 127},
    {&g_midiNotes[6], "g_midiNoteYellowKit1", 0, 127},
    {&g_midiNotes[7], "g_midiNoteBlueKit1", 0, 127},
    {&g_midiNotes[8], "g_midiNoteGreenKit1", 0, 127},
    {&g_midiNotes[9], "g_midiNoteBassKit1", 0, 127},
    {&g_midiNotes[10], "g_midiNoteRedSecondary", 0, 127},
    {&g_midiNotes[11], "g_midiNoteYellowSecondary", 0, 127},
    {&g_midiNotes[12], "g_midiNoteBlueSecondary", 0, 127},
    {&g_midiNotes[13], "g_midiNoteGreenSecondary", 0, 127},
    {&g_midiNotes[14], "g_midiNoteBassSecondary", 0, 127},
    {&g_midiNotes[15], "g_midiNoteRedSecondaryKit1", 0, 127},
    {&g_midiNotes[16], "g_midiNoteYellowSecondaryKit1", 0, 127},
    {&g_midiNotes[17], "g_midiNoteBlueSecondaryKit1", 0, 127},
    {&g_midiNotes[18], "g_midiNoteGreenSecondaryKit1", 0, 127},
    {&g_midiNotes[19], "g_midiNoteBassSecondaryKit1", 0, 127},
};

}  // namespace

MidiNoteTable::MidiNoteTable() { std::fill(std::begin(m_padSlot), std::end(m_padSlot), static_cast<int8_t>(-1)); }

MidiNoteTable MidiNoteTable::FromSettings() {
  MidiNoteTable table;
  for (int soundSlot = kVolumeSlots - 1; soundSlot >= 0; --soundSlot) {
    assert(kMidiNoteVariables[soundSlot].Accepts(g_midiNotes[soundSlot]));
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
