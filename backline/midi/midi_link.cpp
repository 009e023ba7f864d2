#include "backline/midi/midi_link.h"

MidiLink::MidiLink(MidiPort* port, const MidiNoteTable& notes, bool sendStrikes)
    : m_port(port), m_notes(notes), m_send(sendStrikes) {}

void MidiLink::SendStrike(int soundSlot, float velocity) {
  if (!m_port || !m_send) return;
  const uint8_t note = m_notes.NoteOf(soundSlot);
  if (m_port->Send(DrumNoteOn(note, velocity), 0)) m_port->Send(DrumNoteOff(note), kMidiNoteLengthMs);
}

bool MidiLink::TakeStrike(MidiStrike* out) {
  if (!m_port) return false;
  for (MidiMessage message; m_port->Receive(&message);) {
    IncomingNote note;
    if (!ReadNoteOn(message, &note)) continue;
    const int padSlot = m_notes.PadSlotOf(note.note);
    if (padSlot < 0) continue;
    *out = {padSlot, note.velocity};
    return true;
  }
  return false;
}
