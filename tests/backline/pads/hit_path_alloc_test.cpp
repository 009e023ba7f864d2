// The hit path must not allocate: this binary counts every operator new
// while a kit is struck frame after frame, live, recorded and played back.
// It can also refuse large blocks, as a machine short of memory would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "backline/pads/pad_hits.h"
#include "backline/recording/player.h"
#include "backline/recording/recorder.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/virtual_input.h"

namespace {
long g_allocations = 0;
std::size_t g_refuseFrom = SIZE_MAX;  // blocks this large fail
}  // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (size >= g_refuseFrom) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
// Kept out of line: inlined, the compiler sees free() given what operator new
// returned and takes the replacement pair for a mismatch.
__attribute__((noinline)) void operator delete(void* block) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// A kit of one virtual controller on the pad model, its pedal enabling
// secondaries, over a sound back end that only writes down what it is asked.
class HitPathTest : public test::VirtualInputTest {
 protected:
  void SetUp() override {
    VirtualInputTest::SetUp();
    m_kit = AttachDrumsetA();
    Start();
    InitPadMap(&m_map, &m_input);
    m_pads.function[4] = EnableSecondaries;
  }
  // Presses every button on even frames and releases them on odd ones, then
  // lets input capture them.
  void NextFrame(int frame) {
    for (int button = 0; button < kPadButtons; ++button) SetButton(m_kit, button, frame % 2 == 0);
    Frame();
    m_sound.Clear();
  }
  RecordPlay Recording() { return RecordPlay{&m_map, &m_pads, &m_volumes, &m_secondariesHeld}; }

  SDL_Joystick* m_kit = nullptr;
  test::FakeSound m_sound;
  PadMap m_map;
  PadAssignment m_pads;
  PadVolumes m_volumes;
  HitState m_hits;
  FrameStrikes m_strikes;
  bool m_secondariesHeld = false;
};

TEST_F(HitPathTest, StrikingEveryPadAllocatesNothing) {
  m_pads.secondary[0] = 1;
  PadPlayState play{&m_map, &m_pads, &m_volumes, false};
  long allocations = 0;
  int struck = 0;
  for (int frame = 0; frame < 40; ++frame) {
    NextFrame(frame);
    const long before = g_allocations;
    UpdateSecondariesModifier(&play.secondariesHeld, m_pads, &m_input);
    PlayPadHits(&m_hits, play, &m_input, &m_strikes);
    allocations += g_allocations - before;
    struck += m_strikes.count;
  }
  EXPECT_EQ(struck, 100);
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
  for (int frame = 0; frame < 40; ++frame) {
    NextFrame(frame);
    const long before = g_allocations;
    RecordPadHits(&recorder, &m_hits, Recording(), &m_input, static_cast<uint32_t>(frame * 10), &m_strikes);
    if (frame > 0) allocations += g_allocations - before;  // the first press reserves the tracks
  }
  EXPECT_EQ(allocations, 0);
  plrInfo recording;
  static SampleBank bank;  // empty: no paths to copy
  TakeRecording(&recorder, RecordingSetup{&bank, &m_pads, &m_volumes, 1}, &recording);
  EXPECT_EQ(recording.tracks[4].size(), 40u);  // the pedal: every press and release
  Player player;
  int played = 0;
  const long before = g_allocations;
  for (uint32_t elapsed = 0; elapsed < 800; elapsed += 10) {
    PlayDueEvents(&player, recording, elapsed, m_pads, m_volumes, &m_secondariesHeld, &m_strikes);
    played += m_strikes.count;
  }
  EXPECT_EQ(g_allocations - before, 0);
  EXPECT_EQ(played, 4 * 20 + 20);  // four pads struck twenty times, the pedal pressed twenty times
}

TEST_F(HitPathTest, TracksThatCannotBeReservedLeaveTheRecorderIdle) {
  Recorder recorder;
  NextFrame(0);
  g_refuseFrom = 1 << 20;
  RecordPadHits(&recorder, &m_hits, Recording(), &m_input, 0, &m_strikes);
  g_refuseFrom = SIZE_MAX;
  EXPECT_FALSE(recorder.started);
  EXPECT_EQ(m_strikes.count, kPadButtons);  // the kit still plays
  for (const std::vector<int32_t>& track : recorder.liveTrack) EXPECT_EQ(track.capacity(), 0u);
  EXPECT_NE(LogText().find("Recorder: no memory for the tracks, not recording"), std::string::npos);
}

}  // namespace
