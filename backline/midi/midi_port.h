#pragma once
// Where MIDI messages go out and come in: the program's MIDI ports as the
// rest of the program sees them, whatever system carries them
// (midi_port_alsa_seq.h). Opened and closed on the main thread while no
// other thread uses it; in between Send and Receive belong to one thread,
// the input thread, and neither blocks nor allocates.
#include <cstdint>

#include "backline/midi/midi_message.h"

class MidiPort {
 public:
  virtual ~MidiPort() = default;

  // Sends message to whatever listens to the output port, now (delayMs 0) or
  // delayMs milliseconds from now without waiting for them. False when it
  // could not be sent (the message is dropped).
  virtual bool Send(const MidiMessage& message, uint32_t delayMs) = 0;
  // The oldest channel voice message that came in on the input port and was
  // not taken yet; false when none waits.
  virtual bool Receive(MidiMessage* out) = 0;
};
