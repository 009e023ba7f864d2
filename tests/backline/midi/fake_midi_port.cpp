#include "tests/backline/midi/fake_midi_port.h"

#include <cstdio>

namespace test {

bool FakeMidiPort::Send(const MidiMessage& message, uint32_t delayMs) {
  if (m_refuse || m_sentCount == kCapacity) return false;
  m_sent[m_sentCount++] = {message, delayMs};
  return true;
}

bool FakeMidiPort::Receive(MidiMessage* out) {
  if (m_received == m_arrivedCount) return false;
  *out = m_arrived[m_received++];
  return true;
}

void FakeMidiPort::Arrive(const MidiMessage& message) {
  if (m_arrivedCount < kCapacity) m_arrived[m_arrivedCount++] = message;
}

std::string FakeMidiPort::Sent() const {
  std::string text;
  for (int i = 0; i < m_sentCount; ++i) {
    const Sending& sent = m_sent[i];
    char line[32];
    std::snprintf(line, sizeof line, "%02x %02x %02x", sent.message.status, sent.message.data1, sent.message.data2);
    text += (i ? ", " : "") + std::string(line);
    if (sent.delayMs) text += " +" + std::to_string(sent.delayMs);
  }
  return text;
}

}  // namespace test
