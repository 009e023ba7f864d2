// Mixing cost of SDL_mixer doing our voice engine's work (see mix_cost.h),
// as far as it can: one channel per note playing the sample converted to the
// device's format (MixerSound, as our fallback back end plays it), at the
// note's volume, into 48 kHz stereo. SDL_mixer cannot change a sound's pitch,
// so it does no resampling: its figure leaves out work the other two do.
// It mixes on SDL's audio thread (SDL_AUDIODRIVER=dummy on a machine without
// sound, which calls back in real time); the benchmark reads that thread's
// CPU time from SDL_mixer's music hook, which it calls first in each pass, to
// its post-mix hook, which it calls last.
//
//   SDL_AUDIODRIVER=dummy mix_cost_sdl_mixer [mono]
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/sound/sdl/mixer_sound.h"
#include "bench/mix_cost.h"

namespace {

constexpr int kPeriod = 240;

std::atomic<double> g_passStart{0.0};
std::atomic<double> g_cpuSeconds{0.0};
std::atomic<long> g_frames{0};

void StartPass(void*, Uint8*, int) { g_passStart.store(bench::ThreadCpuSeconds()); }
void EndPass(void*, Uint8*, int bytes) {
  g_cpuSeconds.store(g_cpuSeconds.load() + bench::ThreadCpuSeconds() - g_passStart.load());
  g_frames += bytes / static_cast<int>(2 * sizeof(float));
}

double MeasureVoices(const DecodedSample& sample, int voices) {
  // A sound for every five voices, as the voice engine's slots hold theirs.
  std::vector<std::unique_ptr<MixerSound>> sounds;
  for (int slot = 0; slot < bench::SlotsFor(voices); ++slot) sounds.push_back(MixerSound::Make(sample));
  SDL_PauseAudio(1);  // every voice starts in the same pass
  for (int voice = 0; voice < voices; ++voice) {
    Mix_Volume(voice, static_cast<int>(std::lround(bench::kVoiceVolume * MIX_MAX_VOLUME)));
    Mix_PlayChannel(voice, sounds[static_cast<size_t>(bench::SlotOf(voice))]->Chunk(), 0);
  }
  g_cpuSeconds.store(0.0);
  g_frames.store(0);
  SDL_PauseAudio(0);
  while (g_frames.load() < static_cast<long>(bench::kBenchSeconds) * bench::kRate) SDL_Delay(10);
  Mix_HaltChannel(-1);
  return g_cpuSeconds.load() / (static_cast<double>(g_frames.load()) / bench::kRate);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const int channels = argc > 1 && std::strcmp(argv[1], "mono") == 0 ? 1 : 2;
  if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudioDevice(bench::kRate, AUDIO_F32SYS, 2, kPeriod, nullptr, 0) != 0) {
    std::fprintf(stderr, "SDL_mixer cannot open the audio device: %s\n", Mix_GetError());
    return 1;
  }
  Mix_AllocateChannels(128);
  const DecodedSample sample = bench::MakeNoiseSample("mix_cost_sdl_mixer.wav", channels);
  std::remove("mix_cost_sdl_mixer.wav");
  Mix_HookMusic(StartPass, nullptr);
  Mix_SetPostMix(EndPass, nullptr);
  bench::PrintHead("SDL_mixer (no resampling: it has no pitch)");
  for (int voices : bench::kVoiceCounts)
    bench::PrintRow("SDL_mixer", channels, voices, MeasureVoices(sample, voices));
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HookMusic(nullptr, nullptr);
  Mix_CloseAudio();
  SDL_Quit();
  return 0;
}
