#include "backline/midi/midi_port_alsa_seq.h"

#include <alsa/asoundlib.h>

#include <cerrno>

namespace {

constexpr unsigned kPortType = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;
constexpr size_t kCoderBuffer = 16;  // more than any three-byte message needs
constexpr uint8_t kStatusBit = 0x80;
constexpr long kVoiceMessageBytes = 3;

snd_seq_real_time_t RealTimeOf(uint32_t ms) { return {ms / 1000, (ms % 1000) * 1000000}; }

}  // namespace

std::unique_ptr<MidiPortAlsaSeq> MidiPortAlsaSeq::Open(const char* device, std::string* why) {
  std::unique_ptr<MidiPortAlsaSeq> port(new MidiPortAlsaSeq);
  const int opened = snd_seq_open(&port->m_seq, device, SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
  const char* failed = nullptr;
  if (opened < 0) {
    port->m_seq = nullptr;
    port->m_error = opened;
    failed = "cannot open the sequencer";
  }
  if (!failed) failed = port->CreatePorts();
  if (!failed) failed = port->StartQueue();
  if (!failed) return port;
  *why = std::string(failed) + " \"" + device + "\": " + snd_strerror(port->m_error);
  return nullptr;
}

const char* MidiPortAlsaSeq::CreatePorts() {
  m_client = snd_seq_client_id(m_seq);
  if ((m_error = snd_seq_set_client_name(m_seq, kClientName)) < 0) return "cannot name the client on the sequencer";
  m_outputPort = snd_seq_create_simple_port(m_seq, kOutputPortName, SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                            kPortType);
  if ((m_error = m_outputPort) < 0) return "cannot create the output port on the sequencer";
  m_inputPort = snd_seq_create_simple_port(m_seq, kInputPortName, SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                           kPortType);
  if ((m_error = m_inputPort) < 0) return "cannot create the input port on the sequencer";
  if ((m_error = snd_midi_event_new(kCoderBuffer, &m_coder)) < 0) return "cannot make a MIDI coder for the sequencer";
  snd_midi_event_no_status(m_coder, 1);  // every message decoded with its status byte
  return nullptr;
}

const char* MidiPortAlsaSeq::StartQueue() {
  if ((m_queue = snd_seq_alloc_named_queue(m_seq, "Padlark note-offs")) < 0) {
    m_error = m_queue;
    return "cannot get a queue of the sequencer";
  }
  if ((m_error = snd_seq_start_queue(m_seq, m_queue, nullptr)) < 0 || (m_error = snd_seq_drain_output(m_seq)) < 0)
    return "cannot start a queue of the sequencer";
  return nullptr;
}

MidiPortAlsaSeq::~MidiPortAlsaSeq() {
  if (m_coder) snd_midi_event_free(m_coder);
  if (!m_seq) return;
  if (m_queue >= 0) snd_seq_sync_output_queue(m_seq);
  snd_seq_close(m_seq);
}

bool MidiPortAlsaSeq::Send(const MidiMessage& message, uint32_t delayMs) {
  const unsigned char bytes[kVoiceMessageBytes] = {message.status, message.data1, message.data2};
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_midi_event_reset_encode(m_coder);
  if (snd_midi_event_encode(m_coder, bytes, kVoiceMessageBytes, &event) != kVoiceMessageBytes ||
      event.type == SND_SEQ_EVENT_NONE)
    return false;
  snd_seq_ev_set_source(&event, static_cast<unsigned char>(m_outputPort));
  snd_seq_ev_set_subs(&event);
  if (delayMs == 0) {
    snd_seq_ev_set_direct(&event);
  } else {
    const snd_seq_real_time_t delay = RealTimeOf(delayMs);
    snd_seq_ev_schedule_real(&event, static_cast<unsigned char>(m_queue), 1, &delay);
  }
  return snd_seq_event_output_direct(m_seq, &event) >= 0;
}

bool MidiPortAlsaSeq::Receive(MidiMessage* out) {
  for (;;) {
    snd_seq_event_t* event = nullptr;
    const int left = snd_seq_event_input(m_seq, &event);
    if (left == -ENOSPC) continue;  // the input overran and lost events: read on
    if (left < 0 || !event) return false;
    unsigned char bytes[kCoderBuffer];
    snd_midi_event_reset_decode(m_coder);
    const long length = snd_midi_event_decode(m_coder, bytes, sizeof bytes, event);
    if (length != kVoiceMessageBytes || !(bytes[0] & kStatusBit)) continue;
    *out = {bytes[0], bytes[1], bytes[2]};
    return true;
  }
}
