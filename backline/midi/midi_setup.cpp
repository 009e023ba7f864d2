#include "backline/midi/midi_setup.h"

#include <string>

#include "backline/midi/midi_notes.h"
#include "backline/midi/midi_port_alsa_seq.h"
#include "basalt/foundation/log.h"

std::unique_ptr<MidiPort> OpenMidiPorts() {
  std::string why;
  std::unique_ptr<MidiPortAlsaSeq> port = MidiPortAlsaSeq::Open("default", &why);
  if (!port) {
    Basalt::LogMessage("MIDI: no ALSA sequencer here (%s): Padlark plays on without MIDI in or out", why.c_str());
    return port;
  }
  Basalt::LogMessage("MIDI: strikes go out on \"%s\" (%d:%d)%s, notes come in on \"%s\" (%d:%d)",
                     MidiPortAlsaSeq::kOutputPortName, port->Client(), port->OutputPort(),
                     g_midiOut ? "" : " (not while g_midiOut is 0)", MidiPortAlsaSeq::kInputPortName, port->Client(),
                     port->InputPort());
  return port;
}
