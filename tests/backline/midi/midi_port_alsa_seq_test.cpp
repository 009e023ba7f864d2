#include "backline/midi/midi_port_alsa_seq.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/support/sequencer_client.h"

namespace {

TEST(MidiPortAlsaSeqTest, ASequencerThatCannotBeOpenedIsNoPortAndSaysWhy) {
  std::string why;
  EXPECT_EQ(MidiPortAlsaSeq::Open("no-such-sequencer", &why), nullptr);
  EXPECT_EQ(why.rfind("cannot open the sequencer \"no-such-sequencer\": ", 0), 0u) << why;
  EXPECT_GT(why.size(), std::string("cannot open the sequencer \"no-such-sequencer\": ").size());
}

// The port against a second client of the system's sequencer: what it sends
// arrives, the note-off after it, and what is played into it comes out.
TEST(MidiPortAlsaSeqTest, ThroughTheSequencerMessagesGoOutAndComeIn) {
  std::string why;
  std::unique_ptr<MidiPortAlsaSeq> port = MidiPortAlsaSeq::Open("default", &why);
  std::unique_ptr<test::SequencerClient> other = port ? test::SequencerClient::Open(&why) : nullptr;
  if (!other) GTEST_SKIP() << test::kNoSequencer << " (" << why << ")";
  ASSERT_TRUE(other->ListenTo(port->Client(), port->OutputPort()));
  ASSERT_TRUE(other->PlayInto(port->Client(), port->InputPort()));

  ASSERT_TRUE(port->Send(DrumNoteOn(38, 0.5f), 0));
  ASSERT_TRUE(port->Send(DrumNoteOff(38), kMidiNoteLengthMs));
  test::SequencerClient::Received received;
  ASSERT_TRUE(other->Receive(&received, 5000));
  EXPECT_EQ(received.type, SND_SEQ_EVENT_NOTEON);
  EXPECT_EQ(received.channel, 9);
  EXPECT_EQ(received.note, 38);
  EXPECT_EQ(received.velocity, 64);
  ASSERT_TRUE(other->Receive(&received, 5000));
  EXPECT_EQ(received.type, SND_SEQ_EVENT_NOTEOFF);
  EXPECT_EQ(received.note, 38);

  ASSERT_TRUE(other->SendNoteOn(0, 42, 100));
  MidiMessage message;
  bool came = false;
  for (int poll = 0; poll < 5000 && !came; ++poll) {
    came = port->Receive(&message);
    if (!came) usleep(1000);
  }
  ASSERT_TRUE(came);
  EXPECT_EQ(message, (MidiMessage{0x90, 42, 100}));
  EXPECT_FALSE(port->Receive(&message));
}

}  // namespace
