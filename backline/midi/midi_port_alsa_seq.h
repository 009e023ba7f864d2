#pragma once
// The program's MIDI ports on the ALSA sequencer: one client named "Padlark"
// with a virtual output port "Padlark" (port 0: strikes go out to whatever
// subscribes to it) and a virtual input port "Padlark in" (port 1: whatever
// is connected to it strikes the pads), and a queue of the client's own that
// delivers the delayed messages (the note-offs) at their time, so nothing
// waits for them. The sequencer is opened non-blocking: sending and
// receiving never wait.
//
// Threads: Open and the destructor on the main thread while no other thread
// uses the port; Send and Receive on one thread (the input thread). A
// message is sent with an event on the stack and received from the client's
// input buffer, allocated when it opened: nothing is allocated per message.
#include <memory>
#include <string>

#include "backline/midi/midi_port.h"

struct _snd_seq;
struct snd_midi_event;

class MidiPortAlsaSeq final : public MidiPort {
 public:
  static constexpr const char* kClientName = "Padlark";
  static constexpr const char* kOutputPortName = "Padlark";
  static constexpr const char* kInputPortName = "Padlark in";

  // Opens a client of the sequencer named device ("default" is the system's),
  // its two ports and its queue. Null, with *why saying which step failed and
  // the system's reason, when any step fails (nothing is left open then).
  static std::unique_ptr<MidiPortAlsaSeq> Open(const char* device, std::string* why);
  // Waits for the delayed messages still on the queue (at most a note's
  // length), then closes the client, which removes its ports.
  ~MidiPortAlsaSeq() override;
  MidiPortAlsaSeq(const MidiPortAlsaSeq&) = delete;
  MidiPortAlsaSeq& operator=(const MidiPortAlsaSeq&) = delete;

  bool Send(const MidiMessage& message, uint32_t delayMs) override;
  // Three-byte channel messages only (note-on, note-off, controllers...);
  // anything else that arrives (port announcements, clocks, system
  // exclusive) is skipped.
  bool Receive(MidiMessage* out) override;

  // The sequencer's address of the client and its ports, for the log and for
  // connecting to them.
  int Client() const { return m_client; }
  int OutputPort() const { return m_outputPort; }
  int InputPort() const { return m_inputPort; }

 private:
  MidiPortAlsaSeq() = default;
  // Each step of Open: null when it went well, else what failed.
  const char* CreatePorts();
  const char* StartQueue();

  _snd_seq* m_seq = nullptr;
  snd_midi_event* m_coder = nullptr;  // bytes to events and back
  int m_client = -1;
  int m_outputPort = -1;
  int m_inputPort = -1;
  int m_queue = -1;
  int m_error = 0;  // the system's error code of the step that failed
};
