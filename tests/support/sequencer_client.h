#pragma once
// A second client of the ALSA sequencer, as another music program would be:
// it listens to a port (a subscription from that port to its own input
// port) and plays into one (from its own output port). For the loopback
// tests and the latency benchmark; where the machine has no sequencer Open
// fails and they say what was not run. One thread at a time.
#include <memory>
#include <string>

struct _snd_seq;

namespace test {

// What a test says, and skips, where the sequencer cannot be opened.
extern const char kNoSequencer[];

class SequencerClient {
 public:
  // Null, with *why, when the sequencer cannot be opened.
  static std::unique_ptr<SequencerClient> Open(std::string* why);
  ~SequencerClient();
  SequencerClient(const SequencerClient&) = delete;
  SequencerClient& operator=(const SequencerClient&) = delete;

  // Subscribes to what client:port sends; false when it cannot.
  bool ListenTo(int client, int port);
  // Subscribes client:port to what this client sends; false when it cannot.
  bool PlayInto(int client, int port);
  // Sends a note-on to the ports that listen to this client, at once.
  bool SendNoteOn(int channel, int note, int velocity);

  // The next event that came in, as its type (SND_SEQ_EVENT_...) and, for a
  // note event, its channel, note and velocity; waits for one at most
  // timeoutMs (a bound for a test that would otherwise hang: it never
  // decides the result of a test that passes). False when none came.
  struct Received {
    int type = -1, channel = -1, note = -1, velocity = -1;
  };
  bool Receive(Received* out, int timeoutMs);

 private:
  SequencerClient() = default;
  _snd_seq* m_seq = nullptr;
  int m_port = -1;
};

}  // namespace test
