// The audio path must not allocate or free: this binary replaces operator
// new and delete with per-thread counters, and reads the audio thread's
// after each callback of a real (dummy) device.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "backline/sound/sdl/audio_output_sdl.h"
#include "backline/sound/voice_engine.h"
#include "basalt/foundation/clock.h"
#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/engine_fixture.h"

namespace {
thread_local long t_allocations = 0;
thread_local long t_frees = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++t_allocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
// Kept out of line: inlined, the compiler sees free() given what operator new
// returned and takes the replacement pair for a mismatch.
__attribute__((noinline)) void operator delete(void* block) noexcept {
  if (block) ++t_frees;
  std::free(block);
}
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

std::atomic<long> g_audioAllocations{0};
std::atomic<long> g_audioFrees{0};
std::atomic<long> g_callbacks{0};

// Audio thread: what it allocated and freed since its first callback.
void CountAudioThread(const float*, int, int, Basalt::TimeNs) {
  thread_local const long firstAllocations = t_allocations;
  thread_local const long firstFrees = t_frees;
  g_audioAllocations.store(t_allocations - firstAllocations);
  g_audioFrees.store(t_frees - firstFrees);
  ++g_callbacks;
}

template <typename Done>
bool WaitFor(Done done) {
  for (int tick = 0; tick < 300 && !done(); ++tick) SDL_Delay(10);
  return done();
}

class SoundAllocTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    test::WriteFile("long.wav", test::Pcm16Wav(std::vector<int16_t>(48000, 1000), 48000));
    test::WriteFile("click.wav", test::Pcm16Wav(std::vector<int16_t>(100, 8000), 48000));
  }
};

TEST_F(SoundAllocTest, NotesBeatsAndSampleSwapsAllocateAndFreeNothingOnTheAudioThread) {
  AudioOutputSDL output;  // before the engine, which closes it when the test stops early
  VoiceEngine engine;
  ASSERT_TRUE(engine.LoadSample(0, "long.wav"));
  ASSERT_TRUE(engine.LoadSample(20, "click.wav"));
  engine.SetRenderObserver(CountAudioThread);
  ASSERT_TRUE(engine.Start(output, 240));
  engine.SetMetronome(true, 1200, Basalt::GetTimeNs());

  long playAllocations = 0;
  for (int note = 0; note < 200; ++note) {
    const long before = t_allocations;
    EXPECT_TRUE(engine.PlayNote(NoteSource::Main, Note{0, 0.2f, 1.0f, Basalt::GetTimeNs()}));
    playAllocations += t_allocations - before;
    SDL_Delay(1);
  }
  EXPECT_EQ(playAllocations, 0);
  EXPECT_TRUE(WaitFor([&] { return engine.NotesStarted() == 200; }));
  ASSERT_EQ(engine.GetVoice(0).state, VoiceEngine::kPlaying);

  // A new sample while the old one sounds: the audio thread lets the old one
  // go, and the main thread frees it (the Sample and its frames).
  ASSERT_TRUE(engine.LoadSample(0, "click.wav"));
  EXPECT_TRUE(WaitFor([&] { return engine.GetVoice(0).state == VoiceEngine::kReady; }));
  const long before = t_frees;
  engine.UpdateSound();
  EXPECT_EQ(t_frees - before, 2);
  EXPECT_TRUE(WaitFor([&] { return engine.MetronomeBeats() >= 4; }));
  engine.Stop();
  EXPECT_GT(g_callbacks.load(), 20);
  EXPECT_EQ(g_audioAllocations.load(), 0);
  EXPECT_EQ(g_audioFrees.load(), 0);
  EXPECT_EQ(engine.NotesDropped(), 0u);
}

}  // namespace
