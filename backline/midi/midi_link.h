#pragma once
// The pads' side of the MIDI ports: a strike going out as a note of the note
// table, and a note coming in as the pad it strikes. A link without a port
// sends and receives nothing.
//
// Threads: made and handed over on the main thread before the input thread
// uses it (StrikePath::SetMidi); then SendStrike and TakeStrike on the input
// thread only. Neither waits nor allocates.
#include "backline/midi/midi_notes.h"
#include "backline/midi/midi_port.h"

// A pad struck by a note that came in.
struct MidiStrike {
  int padSlot = 0;
  float velocity = 1.0f;  // 1/127..1
};

class MidiLink {
 public:
  MidiLink() = default;
  // port (not owned; null for none) must outlive the link's use; sendStrikes
  // off sends nothing but still receives.
  MidiLink(MidiPort* port, const MidiNoteTable& notes, bool sendStrikes);

  // Sends the pad sound soundSlot's (0..19) note at velocity (0..1), and its
  // note-off kMidiNoteLengthMs later.
  void SendStrike(int soundSlot, float velocity);
  // The next note-on that came in (any channel) for a pad of the table, as
  // its pad slot and velocity; notes of no pad and every other message are
  // skipped. False when none waits.
  bool TakeStrike(MidiStrike* out);

 private:
  MidiPort* m_port = nullptr;
  MidiNoteTable m_notes;
  bool m_send = false;
};
