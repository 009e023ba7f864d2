#include "backline/pads/instrument.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "backline/recording/player.h"
#include "backline/recording/recorder.h"
#include "backline/scene/drum_set.h"
#include "basalt/foundation/clock.h"
#include "basalt/input/key_codes.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/input_events.h"

namespace {

using Basalt::InputEvent;
using Basalt::kNsPerMs;

Basalt::TimeNs g_now = 0;
Basalt::TimeNs HandClock() { return g_now; }

std::string StrikeText(const StrikeReport& strike) {
  return std::string(strike.kind == StrikeReport::Strike ? "s" : "r") + (strike.secondary ? "2:" : ":") +
         std::to_string(strike.padSlot) + "@" + std::to_string(strike.time / kNsPerMs) + " ";
}

// Writes down every strike it hears, as "kind:padSlot@ms ".
struct HeardStrikes final : StrikeListener {
  std::string text;
  void OnStrike(const StrikeReport& strike) override { text += StrikeText(strike); }
};

// The instrument without controllers (the keys strike kit 0), live, on a
// hand clock and a sound back end that writes down the notes.
class InstrumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Basalt::SetTimeSource(HandClock);
    InitializePadMap(&m_instrument->padMap, nullptr);
    m_instrument->Publish(true);
  }
  void TearDown() override { Basalt::SetTimeSource(nullptr); }

  // A key struck and let go at ms on the input thread.
  void StrikeKey(int key, int64_t ms) {
    Basalt::IInputListener* path = m_instrument->InputListener();
    path->OnInputEvent(test::MakeInputEvent(InputEvent::KeyDown, -1, key, ms * kNsPerMs));
    path->OnInputEvent(test::MakeInputEvent(InputEvent::KeyUp, -1, key, ms * kNsPerMs));
  }
  void PreviewAt(int padSlot, bool secondary, int64_t ms) {
    g_now = ms * kNsPerMs;
    m_instrument->Preview(padSlot, secondary);
  }
  std::string FrameText() const {
    std::string text;
    const FrameStrikes& strikes = m_instrument->Strikes();
    for (int i = 0; i < strikes.count; ++i) text += StrikeText(strikes.strikes[i]);
    return text;
  }

  test::FakeSound m_sound;
  std::unique_ptr<Instrument> m_instrument = std::make_unique<Instrument>();
  HeardStrikes m_heard;
};

TEST_F(InstrumentTest, AKeyStrikeAndAPreviewPlayAtThePadsVolumeAndAreBothReported) {
  m_instrument->volumes.Set(2, 0.5f);
  m_instrument->Publish(true);
  m_instrument->Listen(&m_heard);
  StrikeKey(Basalt::DIK_A, 10);  // kit 0's blue pad
  m_instrument->CollectStrikes();
  PreviewAt(2, false, 20);
  EXPECT_EQ(m_sound.Log(), "play 2 0.50 @10\nplay 2 0.50 @20\n");
  EXPECT_EQ(m_heard.text, "s:2@10 s:2@20 ");
  EXPECT_EQ(FrameText(), "s:2@10 s:2@20 ");
}

TEST_F(InstrumentTest, EachFrameShowsOnlyTheStrikesItLearnedOf) {
  StrikeKey(Basalt::DIK_S, 10);
  m_instrument->CollectStrikes();
  EXPECT_EQ(FrameText(), "s:3@10 ");
  m_instrument->CollectStrikes();
  EXPECT_EQ(FrameText(), "");
  StrikeKey(Basalt::DIK_D, 30);
  StrikeKey(Basalt::DIK_F, 31);
  m_instrument->CollectStrikes();
  EXPECT_EQ(FrameText(), "s:0@30 s:1@31 ");
}

TEST_F(InstrumentTest, TheRecorderHearsStrikesOnlyWhileItListens) {
  Recorder recorder;
  StrikeKey(Basalt::DIK_A, 10);
  m_instrument->CollectStrikes();  // before it listens
  EXPECT_FALSE(recorder.started);
  m_instrument->Listen(&recorder);
  m_instrument->Listen(&recorder);  // once, however often it is added
  m_instrument->Listen(&m_heard);
  StrikeKey(Basalt::DIK_A, 20);
  m_instrument->CollectStrikes();
  PreviewAt(2, false, 25);
  m_instrument->StopListening(&recorder);
  StrikeKey(Basalt::DIK_A, 30);
  m_instrument->CollectStrikes();
  ASSERT_TRUE(recorder.started);
  EXPECT_EQ(recorder.startTime, 20 * kNsPerMs);
  EXPECT_EQ(recorder.liveTrack[2].size(), 2u);       // the strike at 20 and the preview at 25
  EXPECT_EQ(m_heard.text, "s:2@20 s:2@25 s:2@30 ");  // the others still hear
  m_instrument->StopListening(&recorder);            // no longer listening: nothing happens
  EXPECT_TRUE(m_instrument->IsListening(&m_heard));
}

TEST_F(InstrumentTest, APlaybacksEventsAreReportedAsTheirTimeComes) {
  m_instrument->Listen(&m_heard);
  Recording recording;
  recording.tracks[1] = {0, 300};
  Player player;
  player.startTime = 1000 * kNsPerMs;
  m_instrument->CollectStrikes();
  PlayDueEvents(&player, recording, 1000 * kNsPerMs, {player.pads, player.volumes, m_instrument->layers},
                m_instrument.get());
  EXPECT_EQ(m_sound.Played(), "1 1");  // both handed ahead of their time
  EXPECT_EQ(m_heard.text, "s:1@1000 ");
  EXPECT_EQ(FrameText(), "s:1@1000 ");
}

// The volumes are the instrument's: the drum set showing another number of
// kits leaves them, and the hit path plays them.
TEST_F(InstrumentTest, AKitCountChangeKeepsTheVolumes) {
  DrumSet drumSet;
  m_instrument->volumes.Set(0, 0.25f);
  m_instrument->volumes.Set(19, 0.5f);
  drumSet.SetKitCount(2);
  drumSet.SetKitCount(1);
  m_instrument->Publish(true);
  EXPECT_EQ(m_instrument->Table().Volume(0), 0.25f);
  EXPECT_EQ(m_instrument->Table().Volume(19), 0.5f);
  StrikeKey(Basalt::DIK_D, 10);  // kit 0's red pad
  EXPECT_EQ(m_sound.Log(), "play 0 0.25 @10\n");
}

// Listening, the drum set flashes the strikes of the instrument's frame.
TEST_F(InstrumentTest, TheDrumSetFlashesWhatTheInstrumentReports) {
  DrumSet drumSet;
  m_instrument->Listen(&drumSet);
  PreviewAt(PadSlotOf(0, GreenPad), false, 10);
  EXPECT_EQ(drumSet.subsetColours[GreenPad][0], 0.0f);
  EXPECT_EQ(drumSet.subsetColours[RedPad][1], 1.0f);
  m_instrument->StopListening(&drumSet);
}

}  // namespace
