#include "tests/support/sequencer_client.h"

#include <alsa/asoundlib.h>
#include <poll.h>

#include <vector>

namespace test {

const char kNoSequencer[] = "no ALSA sequencer on this machine: loopback through the sequencer not run";

std::unique_ptr<SequencerClient> SequencerClient::Open(std::string* why) {
  std::unique_ptr<SequencerClient> client(new SequencerClient);
  const int opened = snd_seq_open(&client->m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
  if (opened < 0) {
    client->m_seq = nullptr;
    *why = snd_strerror(opened);
    return nullptr;
  }
  snd_seq_set_client_name(client->m_seq, "Padlark test");
  client->m_port = snd_seq_create_simple_port(
      client->m_seq, "test",
      SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ | SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
      SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
  if (client->m_port < 0) {
    *why = snd_strerror(client->m_port);
    return nullptr;
  }
  return client;
}

SequencerClient::~SequencerClient() {
  if (m_seq) snd_seq_close(m_seq);
}

bool SequencerClient::ListenTo(int client, int port) {
  return snd_seq_connect_from(m_seq, m_port, client, port) >= 0;
}

bool SequencerClient::PlayInto(int client, int port) { return snd_seq_connect_to(m_seq, m_port, client, port) >= 0; }

bool SequencerClient::SendNoteOn(int channel, int note, int velocity) {
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  snd_seq_ev_set_source(&event, static_cast<unsigned char>(m_port));
  snd_seq_ev_set_subs(&event);
  snd_seq_ev_set_direct(&event);
  snd_seq_ev_set_noteon(&event, static_cast<unsigned char>(channel), static_cast<unsigned char>(note),
                        static_cast<unsigned char>(velocity));
  return snd_seq_event_output_direct(m_seq, &event) >= 0;
}

bool SequencerClient::Receive(Received* out, int timeoutMs) {
  const int count = snd_seq_poll_descriptors_count(m_seq, POLLIN);
  std::vector<pollfd> fds(static_cast<size_t>(count));
  snd_seq_poll_descriptors(m_seq, fds.data(), static_cast<unsigned>(count), POLLIN);
  for (int waited = 0; waited <= timeoutMs; waited += 10) {
    snd_seq_event_t* event = nullptr;
    if (snd_seq_event_input(m_seq, &event) >= 0 && event) {
      *out = {event->type, -1, -1, -1};
      if (snd_seq_ev_is_note_type(event))
        *out = {event->type, event->data.note.channel, event->data.note.note, event->data.note.velocity};
      return true;
    }
    poll(fds.data(), fds.size(), 10);
  }
  return false;
}

}  // namespace test
