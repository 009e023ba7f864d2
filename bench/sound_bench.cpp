// Sound benchmark: the play latency of both back ends through a real SDL
// audio device (the mixing cost has benchmarks of its own: mix_cost.h).
// Prints a table.
//
//   sound_bench [notes=500] [periodMs=5]     (SDL_AUDIODRIVER picks the device)
//
// Latency runs from a note's time stamp (read just before PlayNote) to its
// onset in the output: the instrument-clock time at which the device
// callback that holds the note's first non-silent frame began, plus that
// frame's index / 48000. The program also counts, per thread, every heap
// allocation and every mutex lock (it interposes malloc & co. and
// pthread_mutex_lock) made inside PlayNote and on the audio thread while the
// notes play.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <malloc.h>
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/sound/sdl/sound_backend_sdl_mixer.h"
#include "backline/sound/sdl/sound_backends_sdl.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/foundation/clock.h"

// ---- counting interposers ---------------------------------------------------

namespace {
thread_local long t_allocations = 0;
thread_local long t_mutexLocks = 0;
}  // namespace

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);

void* malloc(size_t size) {
  ++t_allocations;
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  ++t_allocations;
  return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
  ++t_allocations;
  return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size) {
  ++t_allocations;
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) {
  *out = memalign(alignment, size);
  return *out ? 0 : ENOMEM;
}
int pthread_mutex_lock(pthread_mutex_t* mutex) {
  using Lock = int (*)(pthread_mutex_t*);
  static const Lock next = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
  ++t_mutexLocks;
  return next(mutex);
}
}

namespace {

using Clock = std::chrono::steady_clock;

// ---- test sounds ----------------------------------------------------------------

void PutLe(std::string* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void WriteMonoWav(const char* path, const std::vector<int16_t>& samples) {
  std::string data;
  for (int16_t sample : samples) PutLe(&data, static_cast<uint16_t>(sample), 2);
  std::string file = "RIFF";
  PutLe(&file, static_cast<uint32_t>(36 + data.size()), 4);
  file += "WAVEfmt ";
  PutLe(&file, 16, 4);
  PutLe(&file, 1, 2);
  PutLe(&file, 1, 2);
  PutLe(&file, 48000, 4);
  PutLe(&file, 96000, 4);
  PutLe(&file, 2, 2);
  PutLe(&file, 16, 2);
  file += "data";
  PutLe(&file, static_cast<uint32_t>(data.size()), 4);
  file += data;
  std::FILE* out = std::fopen(path, "wb");
  if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size()) std::perror(path);
  if (out) std::fclose(out);
}

std::vector<int16_t> Noise(size_t frames) {
  std::minstd_rand random(7);
  std::vector<int16_t> samples(frames);
  for (int16_t& sample : samples) sample = static_cast<int16_t>(static_cast<int>(random() % 16000) - 8000);
  return samples;
}

// ---- play latency ------------------------------------------------------------

std::atomic<bool> g_armed{false};
std::atomic<int64_t> g_heardAt{0};     // the onset of the armed note on the instrument clock
std::atomic<int64_t> g_callbackAt{0};  // SDL_mixer: when the current callback began
std::atomic<int> g_mixerChannels{2};
std::atomic<long> g_audioAllocations{0};
std::atomic<long> g_audioLocks{0};
std::atomic<long> g_callbacks{0};

void Observe(const float* out, int frames, int channels, Basalt::TimeNs callbackAt) {
  // Adds up what the audio thread did since its previous callback (the
  // observer itself neither allocates nor locks).
  thread_local long lastAllocations = t_allocations;
  thread_local long lastLocks = t_mutexLocks;
  g_audioAllocations += t_allocations - lastAllocations;
  g_audioLocks += t_mutexLocks - lastLocks;
  lastAllocations = t_allocations;
  lastLocks = t_mutexLocks;
  ++g_callbacks;
  if (!g_armed.load()) return;
  for (int i = 0; i < frames * channels; ++i) {
    if (out[i] == 0.0f) continue;
    g_heardAt.store(callbackAt + (i / channels) * Basalt::kNsPerSecond / 48000);
    g_armed.store(false);
    return;
  }
}

// SDL_mixer calls the music hook first in each callback and the post-mix
// hook last.
void MarkMixerCallback(void*, Uint8*, int) { g_callbackAt.store(Basalt::GetTimeNs()); }
void ObserveMixer(void*, Uint8* stream, int bytes) {
  const int channels = g_mixerChannels.load();
  Observe(reinterpret_cast<const float*>(stream), bytes / static_cast<int>(sizeof(float)) / channels, channels,
          g_callbackAt.load());
}

struct LatencyRun {
  std::vector<double> latenciesMs;
  long playAllocations = 0;
  long playLocks = 0;
  long audioAllocations = 0;
  long audioLocks = 0;
  long callbacks = 0;
};

template <typename Quiet>
LatencyRun MeasureLatency(const SoundBackend& backend, int notes, Quiet waitForSilence) {
  LatencyRun run;
  std::minstd_rand random(11);
  g_audioAllocations.store(0);
  g_audioLocks.store(0);
  g_callbacks.store(0);
  for (int index = 0; index < notes; ++index) {
    waitForSilence();
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 7000));  // no phase lock with the device
    g_heardAt.store(0);
    g_armed.store(true);
    const long allocations = t_allocations;
    const long locks = t_mutexLocks;
    const Basalt::TimeNs struck = Basalt::GetTimeNs();
    backend.PlayNote(NoteSource::Main, Note{0, 1.0f, 1.0f, struck});
    run.playAllocations += t_allocations - allocations;
    run.playLocks += t_mutexLocks - locks;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(1);
    while (g_heardAt.load() == 0 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::microseconds(50));
    if (g_heardAt.load() == 0) {
      std::printf("note %d was never heard\n", index);
      continue;
    }
    run.latenciesMs.push_back(static_cast<double>(g_heardAt.load() - struck) * 1e-6);
  }
  run.audioAllocations = g_audioAllocations.load();
  run.audioLocks = g_audioLocks.load();
  run.callbacks = g_callbacks.load();
  return run;
}

void PrintLatency(const char* name, LatencyRun run) {
  std::vector<double>& ms = run.latenciesMs;
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double quantile) {
    return ms[std::min(ms.size() - 1, static_cast<size_t>(std::ceil(quantile * static_cast<double>(ms.size()))) - 1)];
  };
  std::printf("| %s | %zu | %.2f | %.2f | %.2f | %.2f | %ld / %ld | %ld / %ld / %ld |\n", name, ms.size(), at(0.5),
              at(0.99), ms.back(), at(0.99) - at(0.01), run.playAllocations, run.playLocks, run.callbacks,
              run.audioAllocations, run.audioLocks);
}

void Latency(const char* click, int notes) {
  std::printf("## Play latency (SDL audio driver \"%s\", g_audioPeriodMs %d = %d frames at 48 kHz)\n\n",
              std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "default", g_audioPeriodMs,
              AudioPeriodFrames(48000));
  std::printf(
      "| back end | notes | p50 ms | p99 ms | max ms | spread p99 - p1 ms | PlayNote: allocations / mutex "
      "locks (all notes) | audio thread: callbacks / allocations / mutex locks |\n"
      "|---|---:|---:|---:|---:|---:|---:|---:|\n");

  const SoundBackend& voices = SoundBackendVoicesSDL();
  if (voices.Initialize() && voices.LoadSample(0, click)) {
    GetVoiceEngine().SetRenderObserver(Observe);
    const LatencyRun run = MeasureLatency(voices, notes, [&] {
      do std::this_thread::sleep_for(std::chrono::milliseconds(1));
      while (GetVoiceEngine().GetVoice(0).state != VoiceEngine::kReady);
    });
    GetVoiceEngine().SetRenderObserver(nullptr);
    PrintLatency("voices", run);
  }
  voices.Shutdown();

  const SoundBackend& sdlMixer = SoundBackendSDLMixer();
  if (sdlMixer.Initialize() && sdlMixer.LoadSample(0, click)) {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    g_mixerChannels.store(channels);
    Mix_HookMusic(MarkMixerCallback, nullptr);
    Mix_SetPostMix(ObserveMixer, nullptr);
    const LatencyRun run = MeasureLatency(sdlMixer, notes, [] {
      do std::this_thread::sleep_for(std::chrono::milliseconds(1));
      while (Mix_Playing(-1) != 0);
    });
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HookMusic(nullptr, nullptr);
    PrintLatency("SDL_mixer", run);
  }
  sdlMixer.Shutdown();
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const int notes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  if (argc > 2) g_audioPeriodMs = std::atoi(argv[2]);
  const std::string click = "sound_bench_click.wav";
  std::vector<int16_t> clickSamples = Noise(240);
  clickSamples[0] = 8000;  // audible from its first frame
  WriteMonoWav(click.c_str(), clickSamples);

  Latency(click.c_str(), notes);
  std::remove(click.c_str());
  return 0;
}
