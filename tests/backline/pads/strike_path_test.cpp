#include "backline/pads/strike_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backline/common/app_cvars.h"
#include "backline/pads/pad_flash.h"
#include "backline/pads/pad_hits.h"
#include "backline/pads/velocity_curve.h"
#include "basalt/input/key_codes.h"
#include "tests/backline/midi/fake_midi_port.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/input_events.h"
#include "tests/support/virtual_input.h"

namespace {

using Basalt::InputEvent;
using Basalt::kNsPerMs;

constexpr uint16_t kHarmonix = 0x1BAD;

// The input thread's hit path, fed the events the input thread would hand
// it, with the pad model it reads and a sound back end that writes down the
// notes: what each press played, and what the main thread was told.
class StrikePathTest : public test::VirtualInputTest {
 protected:
  void TearDown() override {
    g_usePollMethod = 0;
    g_redefinePads = false;
    g_redPad = 3;
    g_velocityCurve = kVelocitySoft;
    VirtualInputTest::TearDown();
  }
  // The controllers attached so far become the kits; the instrument is live.
  void StartPads(const Input* input, bool live = true) {
    InitializePadMap(&m_map, input);
    Publish(live);
  }
  void StartAll() {
    Start();
    StartPads(&m_input);
  }
  void Publish(bool live = true) { m_table.Publish(m_map, m_pads, m_volumes, live); }

  // Events at ms on the instrument clock; each returns the sound slots played.
  std::string Event(InputEvent::Type type, int joy, int code, int64_t ms) {
    m_sound.Clear();
    m_path.OnInputEvent(test::MakeInputEvent(type, joy, code, ms * kNsPerMs));
    return m_sound.Played();
  }
  std::string Down(int joy, int button, int64_t ms) { return Event(InputEvent::ButtonDown, joy, button, ms); }
  // A press struck with velocity; returns the notes' log.
  std::string Strike(int joy, int button, int64_t ms, float velocity) {
    m_sound.Clear();
    InputEvent press = test::MakeInputEvent(InputEvent::ButtonDown, joy, button, ms * kNsPerMs);
    press.velocity = velocity;
    m_path.OnInputEvent(press);
    return m_sound.Log();
  }
  std::string Up(int joy, int button, int64_t ms) { return Event(InputEvent::ButtonUp, joy, button, ms); }
  std::string Key(int key, bool down, int64_t ms) {
    return Event(down ? InputEvent::KeyDown : InputEvent::KeyUp, -1, key, ms);
  }
  std::string Poll(int64_t ms) {
    m_sound.Clear();
    m_path.OnInputPoll(ms * kNsPerMs);
    return m_sound.Played();
  }
  // The reports the main thread would take, as "kind:padSlot@ms" ('s' strike, 'r' release, '2' secondary).
  std::string Reports() {
    std::string text;
    for (StrikeReport report; m_path.TakeReport(&report);)
      text += (text.empty() ? "" : " ") + std::string(report.kind == StrikeReport::Strike ? "s" : "r") +
              (report.secondary ? "2:" : ":") + std::to_string(report.padSlot) + "@" +
              std::to_string(report.time / kNsPerMs);
    return text;
  }

  test::FakeSound m_sound;
  PadMap m_map;
  PadAssignment m_pads;
  PadVolumes m_volumes;
  VelocityLayers m_layers;
  StrikeTable m_table;
  StrikePath m_path{m_table};
};

TEST_F(StrikePathTest, EveryKeyPressIsAStrikeAtItsOwnTimeEvenBetweenTwoFrames) {
  StartAll();
  EXPECT_EQ(m_map.numControllers, 0);
  int64_t ms = 1000;
  for (int key : {Basalt::DIK_A, Basalt::DIK_S, Basalt::DIK_D, Basalt::DIK_F, Basalt::DIK_X})
    EXPECT_NE(Key(key, true, ++ms), "");
  EXPECT_EQ(Reports(), "s:2@1001 s:3@1002 s:0@1003 s:1@1004 s:4@1005");  // blue, green, red, yellow, pedal
  // A release and a re-press, then a quick double strike: one sound per press.
  EXPECT_EQ(Key(Basalt::DIK_A, false, 1010), "");
  EXPECT_EQ(Key(Basalt::DIK_A, true, 1011), "2");
  EXPECT_EQ(Key(Basalt::DIK_A, false, 1012), "");
  EXPECT_EQ(Key(Basalt::DIK_A, true, 1013), "2");
  EXPECT_EQ(m_sound.Log(), "play 2 1.00 @1013\n");
  EXPECT_EQ(Key(Basalt::DIK_Q, true, 1014), "");  // not a kit key
  EXPECT_EQ(Reports(), "s:2@1011 s:2@1013");
}

TEST_F(StrikePathTest, EachControllerKindHasItsOwnRow) {
  AttachDrumsetA();
  Attach(kHarmonix, 0x0005, "Wii kit");
  Attach(0x0738, 0x9871, "MadCatz");
  Attach(kHarmonix, 0x0002, "Guitar");  // recognised, not drums: still a controller
  StartAll();
  ASSERT_EQ(m_map.numControllers, 4);
  EXPECT_EQ(m_map.kind[0], Xbox360Kind);
  EXPECT_EQ(m_map.kind[1], WiiKind);
  EXPECT_EQ(m_map.kind[2], MadCatzKind);
  EXPECT_EQ(m_map.kind[3], Xbox360Kind);
  std::string played;
  for (int button = 0; button < kPadButtons; ++button) played += Down(0, button, 1) += " ";
  for (int button = 0; button < 2; ++button) played += Down(1, button, 1) += " ";
  EXPECT_EQ(played, "3 0 2 1 4 7 8 ");  // 360: green, red, blue, yellow, pedal; Wii: blue, green
  EXPECT_EQ(Down(2, 0, 1), "");         // only two kits play
  EXPECT_EQ(Down(0, 6, 1), "");         // not a pad button
  EXPECT_EQ(MapButtonToPad(m_map, 0, MadCatzKind), RedPad);
  EXPECT_EQ(MapButtonToPad(m_map, 3, MadCatzKind), GreenPad);
}

TEST_F(StrikePathTest, RedefinedPadsReplaceEveryRowAndRefuseNonPads) {
  g_redefinePads = true;
  g_redPad = 0;
  g_bassDrum = 7;
  StartPads(nullptr);
  g_bassDrum = 4;
  for (ControllerKind kind : {Xbox360Kind, GenericKind, WiiKind, MadCatzKind})
    EXPECT_EQ(MapButtonToPad(m_map, 0, kind), RedPad) << kind;
  EXPECT_EQ(MapButtonToPad(m_map, 1, GenericKind), RedPad);  // g_yellowPad's default
  EXPECT_EQ(MapButtonToPad(m_map, 4, GenericKind), BassPedal);
  EXPECT_EQ(LogText(), "g_bassDrum = 7 is not a pad (0..4); button 4 keeps pad 4\n");
}

TEST_F(StrikePathTest, ThePollingMethodRepeatsAHeldPadAfterTheThresholdAndThePedalOnce) {
  g_usePollMethod = 1;
  AttachDrumsetA();
  StartAll();
  EXPECT_EQ(Down(0, 1, 1000), "0");
  EXPECT_EQ(Down(0, 4, 1000), "4");
  EXPECT_EQ(Poll(1050), "");
  EXPECT_EQ(Poll(1090), "");  // 90 ms: not more than the threshold
  EXPECT_EQ(Poll(1091), "0");
  EXPECT_EQ(Poll(1181), "");
  EXPECT_EQ(Poll(1182), "0");
  EXPECT_EQ(Up(0, 1, 1190), "");
  EXPECT_EQ(Down(0, 1, 1200), "");  // struck again too soon: never closer than the threshold
  EXPECT_EQ(Poll(1273), "0");
  EXPECT_EQ(Reports(), "s:0@1000 s:4@1000 s:0@1091 s:0@1182 s:0@1273");
}

TEST_F(StrikePathTest, AModifierPedalOnEitherKitSwitchesPadsThatHaveASecondary) {
  AttachDrumsetA();
  AttachDrumsetA();
  StartAll();
  m_pads.function[4] = m_pads.function[9] = EnableSecondaries;
  m_pads.secondary[0] = m_pads.secondary[4] = 7;  // red and the pedal have a secondary, blue has none
  Publish();
  EXPECT_EQ(Down(0, 4, 10), "4");  // the modifier pedal plays its own primary
  EXPECT_TRUE(m_path.SecondariesHeld());
  EXPECT_EQ(Down(0, 1, 20), "10");
  EXPECT_EQ(Down(0, 2, 21), "2");
  EXPECT_EQ(m_sound.Log(), "play 2 1.00 @21\n");
  EXPECT_EQ(Down(1, 4, 25), "9");  // the second kit's modifier too
  EXPECT_EQ(Up(0, 4, 30), "");
  EXPECT_TRUE(m_path.SecondariesHeld());  // kit 1's pedal is still down
  EXPECT_EQ(Up(1, 4, 40), "");
  EXPECT_FALSE(m_path.SecondariesHeld());
  EXPECT_EQ(Down(0, 1, 50), "0");
  EXPECT_EQ(Reports(), "s:4@10 s2:0@20 s:2@21 s:9@25 r:4@30 r:9@40 s:0@50");
}

TEST_F(StrikePathTest, WithOneKitAPresetsSecondKitPedalNeverDecides) {
  AttachDrumsetA();
  StartAll();
  m_pads.function[4] = m_pads.function[9] = EnableSecondaries;  // a two-kit preset
  m_pads.secondary[0] = 7;
  Publish();
  EXPECT_EQ(Down(0, 4, 10), "4");
  EXPECT_TRUE(m_path.SecondariesHeld());
  EXPECT_EQ(Down(0, 1, 20), "10");
  EXPECT_EQ(Up(0, 4, 30), "");
  EXPECT_FALSE(m_path.SecondariesHeld());
  EXPECT_EQ(Down(0, 1, 40), "0");
}

TEST_F(StrikePathTest, OffScreenNothingSoundsButThePedalsAreFollowedAndAnUnpluggedKitLetsGo) {
  AttachDrumsetA();
  StartAll();
  m_pads.function[4] = EnableSecondaries;
  m_pads.secondary[0] = 7;
  Publish(false);
  EXPECT_EQ(Down(0, 4, 10), "");
  EXPECT_EQ(Down(0, 1, 11), "");
  EXPECT_TRUE(m_path.SecondariesHeld());
  EXPECT_EQ(Reports(), "");
  Publish(true);
  EXPECT_EQ(Down(0, 1, 20), "10");
  EXPECT_EQ(Event(InputEvent::ControllerUnplugged, 0, 0, 30), "");
  EXPECT_FALSE(m_path.SecondariesHeld());
  EXPECT_EQ(Down(0, 1, 40), "0");
  EXPECT_EQ(Reports(), "s2:0@20 r:4@30 s:0@40");
}

TEST_F(StrikePathTest, TheMainThreadsStrikesPlayAtTheSlotsVolumeAndTheirTime) {
  StartPads(nullptr);
  m_volumes.Set(13, 0.4f);
  EXPECT_EQ(StrikePadSlot(3, true, {m_pads, m_volumes, m_layers}, 70 * kNsPerMs, 1.0f), 3);
  EXPECT_EQ(StrikePadSlot(9, false, {m_pads, m_volumes, m_layers}, 80 * kNsPerMs, 1.0f), 9);
  EXPECT_EQ(StrikePadSlot(3, true, {m_pads, m_volumes, m_layers}, 90 * kNsPerMs, 0.5f), 3);  // 0.4 x (0.1 + 0.9 x 0.5²)
  EXPECT_EQ(m_sound.Log(), "play 13 0.40 @70\nplay 9 1.00 @80\nplay 13 0.13 @90 v0.50\n");
}

// The note keeps the strength as the kit reported it and plays at the pad's
// volume times the curve's level; the main thread learns the strength too.
TEST_F(StrikePathTest, AStrikePlaysAtThePadsVolumeShapedByItsStrength) {
  g_usePollMethod = 1;
  AttachDrumsetA();
  StartAll();
  m_volumes.Set(0, 0.8f);
  Publish();
  EXPECT_EQ(Strike(0, 1, 1000, 0.5f), "play 0 0.26 @1000 v0.50\n");  // 0.8 x (0.1 + 0.9 x 0.25)
  EXPECT_EQ(Poll(1091), "0");                                        // a held pad repeats at its press's strength
  EXPECT_EQ(m_sound.Log(), "play 0 0.26 @1091 v0.50\n");
  EXPECT_EQ(Up(0, 1, 1095), "");
  EXPECT_EQ(Strike(0, 2, 1100, 0.0f), "play 2 0.10 @1100 v0.00\n");  // the softest strike plays at the floor
  EXPECT_EQ(Key(Basalt::DIK_S, true, 1200), "0");                    // a key strikes at full strength
  EXPECT_EQ(m_sound.Log(), "play 0 0.80 @1200\n");
  std::vector<float> reported;
  for (StrikeReport report; m_path.TakeReport(&report);) reported.push_back(report.velocity);
  EXPECT_EQ(reported, (std::vector<float>{0.5f, 0.5f, 0.0f, 1.0f}));

  g_velocityCurve = kVelocityOff;
  EXPECT_EQ(Strike(0, 1, 1300, 0.5f), "play 0 0.80 @1300 v0.50\n");
  g_velocityCurve = kVelocityLinear;
  EXPECT_EQ(Strike(0, 2, 1310, 0.5f), "play 2 0.55 @1310 v0.50\n");
}

// Two kits, kit 0's pedal holding the secondaries, red and the pedal with a
// secondary sample, and the MIDI ports of a fake that writes down what goes
// out and hands out what a test makes come in.
class StrikePathMidiTest : public StrikePathTest {
 protected:
  void SetUp() override {
    StrikePathTest::SetUp();
    AttachDrumsetA();
    AttachDrumsetA();
    StartAll();
    m_pads.function[4] = EnableSecondaries;
    m_pads.secondary[0] = m_pads.secondary[4] = m_pads.secondary[1] = 7;
    Publish();
    m_path.SetMidi(MidiLink(&m_midi, MidiNoteTable::FromSettings(), true));
  }
  std::string Sent() {
    const std::string sent = m_midi.Sent();
    m_midi.Clear();
    return sent;
  }

  test::FakeMidiPort m_midi;
};

TEST_F(StrikePathMidiTest, EveryStrikeGoesOutAsTheNoteOfThePadSoundItPlayedAtItsVelocity) {
  Strike(0, 1, 10, 0.5f);  // red: the snare, at half strength
  EXPECT_EQ(Sent(), "99 26 40, 89 26 40 +50");
  Down(0, 2, 11);                                // blue: the mid tom
  Down(1, 0, 12);                                // kit 1's green: the splash
  EXPECT_EQ(Key(Basalt::DIK_X, true, 13), "4");  // the pedal's key, at full strength
  EXPECT_EQ(Sent(), "99 30 7f, 89 30 40 +50, 99 37 7f, 89 37 40 +50, 99 24 7f, 89 24 40 +50");
  Key(Basalt::DIK_X, false, 14);

  EXPECT_EQ(Strike(0, 4, 20, 0.0f).substr(0, 7), "play 4 ");  // the modifier pedal sounds its primary
  Down(0, 1, 21);                                             // red's secondary: the side stick
  Down(0, 2, 22);                                             // blue has no secondary: its own note
  Down(1, 4, 23);                                             // kit 1's pedal, not a modifier, has none either
  EXPECT_EQ(Sent(), "99 24 01, 89 24 40 +50, 99 25 7f, 89 25 40 +50, 99 30 7f, 89 30 40 +50, 99 23 7f, 89 23 40 +50");
  Up(0, 4, 30);
  EXPECT_EQ(Sent(), "");  // a release sends nothing

  Publish(false);
  Down(0, 1, 40);
  EXPECT_EQ(Sent(), "");  // off screen nothing sounds, so nothing goes out
  Publish(true);
  m_path.SetMidi(MidiLink(&m_midi, MidiNoteTable::FromSettings(), false));  // g_midiOut 0
  EXPECT_EQ(Down(0, 3, 50), "1");
  EXPECT_EQ(Sent(), "");
}

TEST_F(StrikePathMidiTest, ANoteThatComesInStrikesItsPadAtTheNextPollAsTheKitsButtonWould) {
  m_midi.Arrive({0x99, 38, 127});  // the snare: kit 0's red
  m_midi.Arrive({0x90, 48, 64});   // the mid tom on channel 1: blue
  EXPECT_EQ(Poll(100), "0 2");
  EXPECT_EQ(m_sound.Log(), "play 0 1.00 @100\nplay 2 0.33 @100 v0.50\n");
  m_midi.Arrive({0x99, 51, 100});  // kit 1's ride
  m_midi.Arrive({0x99, 38, 0});    // a note-off
  m_midi.Arrive({0x99, 70, 100});  // a note of no pad
  EXPECT_EQ(Poll(101), "6");

  EXPECT_EQ(Down(0, 4, 110), "4");  // the kit's modifier pedal held
  m_midi.Arrive({0x99, 37, 127});   // red's secondary note strikes red, which plays its secondary
  m_midi.Arrive({0x99, 42, 127});   // yellow's own note strikes yellow, which plays its secondary too
  EXPECT_EQ(Poll(120), "10 11");
  EXPECT_EQ(Up(0, 4, 130), "");
  m_midi.Arrive({0x99, 46, 127});  // yellow's secondary note, with no pedal held: its primary
  EXPECT_EQ(Poll(140), "1");
  EXPECT_EQ(Reports(), "s:0@100 s:2@100 s:6@101 s:4@110 s2:0@120 s2:1@120 r:4@130 s:1@140");
  EXPECT_EQ(Sent(), "99 24 7f, 89 24 40 +50");  // only the kit's own strike went out
}

TEST_F(StrikePathMidiTest, ANoteOfTheModifierPedalIsAPressAndAReleaseAndNotesOffScreenAreDropped) {
  m_midi.Arrive({0x99, 36, 127});  // kit 0's pedal, which holds the secondaries
  m_midi.Arrive({0x99, 38, 127});
  EXPECT_EQ(Poll(10), "4 0");  // MIDI holds no pedal down: red plays its primary
  EXPECT_FALSE(m_path.SecondariesHeld());
  EXPECT_EQ(Reports(), "s:4@10 r:4@10 s:0@10");

  Publish(false);
  m_midi.Arrive({0x99, 38, 127});
  EXPECT_EQ(Poll(20), "");
  Publish(true);
  EXPECT_EQ(Poll(30), "");  // taken and dropped, not kept for later
  EXPECT_EQ(Reports(), "");
}

TEST_F(StrikePathTest, WithOneKitTheNotesOfTheSecondKitStrikeNothing) {
  AttachDrumsetA();
  StartAll();
  test::FakeMidiPort midi;
  m_path.SetMidi(MidiLink(&midi, MidiNoteTable::FromSettings(), true));
  midi.Arrive({0x99, 35, 127});  // kit 1's pedal
  midi.Arrive({0x99, 36, 127});  // kit 0's
  EXPECT_EQ(Poll(10), "4");
  m_path.SetMidi(MidiLink());
}

TEST(PadFlashTest, AHitSetsItsPadsChannelsAndTheFlashFadesBackWithinPointFourSeconds) {
  PadColour colour;
  colour.red = 0.9f;
  FlashPadColour(&colour, RedPad);
  EXPECT_EQ(colour.red, 0.9f);  // kept
  EXPECT_EQ(colour.green, 0.0f);
  FlashPadColour(&colour, BassPedal);
  EXPECT_EQ(colour.green, 0.5f);
  FadePadColour(&colour, 0.2f);
  EXPECT_EQ(colour.red, 1.0f);
  EXPECT_EQ(colour.green, 1.0f);
  EXPECT_FLOAT_EQ(colour.blue, 0.5f);
  FadePadColour(&colour, 0.2f);
  EXPECT_EQ(colour.blue, 1.0f);
}

}  // namespace
