#pragma once
// A MidiPort that writes down what is sent, in a fixed buffer (so the hit
// path stays free of allocations under it), and hands out what a test put
// in as having come in.
#include <string>

#include "backline/midi/midi_port.h"

namespace test {

class FakeMidiPort final : public MidiPort {
 public:
  static constexpr int kCapacity = 512;

  bool Send(const MidiMessage& message, uint32_t delayMs) override;
  bool Receive(MidiMessage* out) override;

  // What was sent since the last Clear: "99 26 7f" for one sent now,
  // "89 26 40 +50" for one 50 ms later, separated by commas.
  std::string Sent() const;
  int SentCount() const { return m_sentCount; }
  void Clear() { m_sentCount = 0; }
  // A message to come in; Receive hands them out in order.
  void Arrive(const MidiMessage& message);
  // Send fails from now on (a sequencer whose pool is full).
  void Refuse() { m_refuse = true; }

 private:
  struct Sending {
    MidiMessage message;
    uint32_t delayMs;
  };
  Sending m_sent[kCapacity];
  int m_sentCount = 0;
  MidiMessage m_arrived[kCapacity];
  int m_arrivedCount = 0;
  int m_received = 0;
  bool m_refuse = false;
};

}  // namespace test
