#pragma once
// The program's MIDI ports for one run of the instrument. Main thread, at
// start-up, before the input thread uses them.
#include <memory>

#include "backline/midi/midi_port.h"

// Opens the ports on the system's ALSA sequencer and says once in the log
// what came of it: their addresses, or why there are none. Null without a
// sequencer: the program plays on without MIDI in or out.
std::unique_ptr<MidiPort> OpenMidiPorts();
