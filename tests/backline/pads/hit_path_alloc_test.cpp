// The hit path must not allocate: this binary counts every operator new
// while a kit is struck on the input thread's path, recorded and played
// back. It can also refuse large blocks, as a machine short of memory would.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "backline/pads/pad_hits.h"
#include "backline/recording/player.h"
#include "backline/recording/recorder.h"
#include "tests/backline/midi/fake_midi_port.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/input_events.h"
#include "tests/support/virtual_input.h"

namespace {
std::atomic<long> g_allocations{0};
std::size_t g_refuseFrom = SIZE_MAX;  // blocks this large fail
}  // namespace

// Kept out of line, with operator delete below: inlined, the compiler sees
// malloc() and free() and takes the replacement pair for a mismatch.
__attribute__((noinline)) void* operator new(std::size_t size) {
  ++g_allocations;
  if (size >= g_refuseFrom) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
__attribute__((noinline)) void operator delete(void* block) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// A kit of one virtual controller on the pad model, its pedal enabling
// secondaries, struck through the input thread's hit path over a sound back
// end and MIDI ports that only write down what they are asked: every strike
// also goes out as MIDI, and a MIDI note comes in at every poll.
class HitPathTest : public test::VirtualInputTest {
 protected:
  void SetUp() override {
    VirtualInputTest::SetUp();
    AttachDrumsetA();
    Start();
    InitializePadMap(&m_map, &m_input);
    m_pads.function[4] = EnableSecondaries;
    m_pads.secondary[0] = 1;
    m_table.Publish(m_map, m_pads, m_volumes, true);
    m_path.SetMidi(MidiLink(&m_midi, MidiNoteTable::FromSettings(), true));
  }
  // Presses every button at even steps and releases them at odd ones, 10 ms
  // apart; returns the allocations the path made and moves its reports into
  // m_strikes (the main thread's side, not counted).
  long Step(int step) {
    m_midi.Arrive({0x99, 38, 100});  // a MIDI kit's snare, read at the poll
    const long before = g_allocations;
    const auto type = step % 2 == 0 ? Basalt::InputEvent::ButtonDown : Basalt::InputEvent::ButtonUp;
    for (int button = 0; button < kPadButtons; ++button)
      m_path.OnInputEvent(test::MakeInputEvent(type, 0, button, step * 10 * Basalt::kNsPerMs));
    m_path.OnInputPoll(step * 10 * Basalt::kNsPerMs);
    const long made = g_allocations - before;
    m_strikes.Clear();
    for (StrikeReport report; m_path.TakeReport(&report);) m_strikes.Add(report);
    m_sound.Clear();
    m_midi.Clear();
    return made;
  }

  test::FakeSound m_sound;
  test::FakeMidiPort m_midi;
  PadMap m_map;
  PadAssignment m_pads;
  PadVolumes m_volumes;
  VelocityLayers m_layers;
  StrikeTable m_table;
  StrikePath m_path{m_table};
  FrameStrikes m_strikes;
};

TEST_F(HitPathTest, StrikingEveryPadAllocatesNothing) {
  long allocations = 0;
  int struck = 0;
  for (int step = 0; step < 40; ++step) {
    allocations += Step(step);
    struck += m_strikes.count;
  }
  EXPECT_EQ(struck, 100 + 20 + 40);  // every press, the modifier pedal's releases and the notes that came in
  EXPECT_EQ(allocations, 0);

  const long before = g_allocations;  // the counter does see an allocation
  int* probe = new int(1);
  asm volatile("" : : "g"(probe) : "memory");
  delete probe;
  EXPECT_EQ(g_allocations - before, 1);
}

TEST_F(HitPathTest, RecordingAndPlayingBackAllocateNothingOnceTheRecordingStarted) {
  Recorder recorder;
  long allocations = 0;
  for (int step = 0; step < 40; ++step) {
    Step(step);
    const long before = g_allocations;
    for (int i = 0; i < m_strikes.count; ++i) RecordStrike(&recorder, m_strikes.strikes[i]);
    if (step > 0) allocations += g_allocations - before;  // the first strike reserves the tracks
  }
  EXPECT_EQ(allocations, 0);
  Recording recording;
  static SampleBank bank;  // empty: no paths to copy
  TakeRecording(&recorder, RecordingSetup{&bank, &m_pads, &m_volumes, 1}, &recording);
  EXPECT_EQ(recording.tracks[4].size(), 40u);  // the pedal: every press and release
  Player player;
  int played = 0;
  const long before = g_allocations;
  for (int ms = 0; ms < 800; ms += 10) {
    m_strikes.Clear();
    PlayDueEvents(&player, recording, ms * Basalt::kNsPerMs, {m_pads, m_volumes, m_layers}, &m_strikes);
    played += m_strikes.count;
  }
  EXPECT_EQ(g_allocations - before, 0);
  EXPECT_EQ(played,
            4 * 20 + 40 + 20);  // four pads struck twenty times, red forty more by MIDI, the pedal pressed twenty times
}

TEST_F(HitPathTest, TracksThatCannotBeReservedLeaveTheRecorderIdle) {
  Recorder recorder;
  Step(0);
  g_refuseFrom = 1 << 20;
  for (int i = 0; i < m_strikes.count; ++i) RecordStrike(&recorder, m_strikes.strikes[i]);
  g_refuseFrom = SIZE_MAX;
  EXPECT_FALSE(recorder.started);
  EXPECT_EQ(m_strikes.count, kPadButtons + 1);  // the kit and the MIDI note still play
  for (const std::vector<int32_t>& track : recorder.liveTrack) EXPECT_EQ(track.capacity(), 0u);
  EXPECT_NE(LogText().find("Recorder: no memory for the tracks, not recording"), std::string::npos);
}

}  // namespace
