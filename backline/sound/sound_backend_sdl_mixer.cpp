#include "backline/sound/sound_backend_sdl_mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "basalt/core/log.h"
#include "basalt/fs/path.h"

using Basalt::g_pSystemLog;

namespace {

constexpr int kSlots = 51;
constexpr int kRate = 48000;
constexpr int kChannels = 2;
// Enough for every slot the program uses to sound five times at once.
constexpr int kMixerChannels = 128;

// What the back end holds; released by Shutdown, or at exit.
struct MixerState {
  Mix_Chunk* chunks[kSlots] = {};
  bool deviceOpen = false;

  ~MixerState() { Close(); }
  void Close() {
    for (Mix_Chunk*& chunk : chunks) {
      if (chunk) Mix_FreeChunk(chunk);
      chunk = nullptr;
    }
    if (!deviceOpen) return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceOpen = false;
  }
};

MixerState g_mixer;

bool IsSlot(int slot) { return slot >= 0 && slot < kSlots; }

bool Initialise(int) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (g_pSystemLog) g_pSystemLog->Send("SDL_mixer: cannot start SDL audio: %s", SDL_GetError());
    return false;
  }
  // Without SDL_AUDIO_ALLOW_SAMPLES_CHANGE the mixer is always called for
  // exactly this many frames, so this is the period it runs with.
  const int periodFrames = AudioPeriodFrames(kRate);
  if (Mix_OpenAudioDevice(kRate, AUDIO_F32SYS, kChannels, periodFrames, nullptr,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
    if (g_pSystemLog) g_pSystemLog->Send("SDL_mixer: cannot open the audio device: %s", Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  g_mixer.deviceOpen = true;
  Mix_AllocateChannels(kMixerChannels);
  int rate = 0;
  int channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  if (g_pSystemLog)
    g_pSystemLog->Send("Audio device: %d Hz, %d channels, %d-frame buffer (%.1f ms)", rate, channels, periodFrames,
                       1000.0 * periodFrames / rate);
  return true;
}

void Shutdown() { g_mixer.Close(); }

void StopSample(int slot) {
  if (!IsSlot(slot) || !g_mixer.chunks[slot]) return;
  Mix_FreeChunk(g_mixer.chunks[slot]);  // halts the channels playing it first
  g_mixer.chunks[slot] = nullptr;
}

bool LoadSample(int slot, const char* path) {
  StopSample(slot);
  if (!IsSlot(slot) || !path || !g_mixer.deviceOpen) return false;
  g_mixer.chunks[slot] = Mix_LoadWAV(Basalt::ResolvePath(path).c_str());
  if (g_mixer.chunks[slot]) return true;
  if (g_pSystemLog) g_pSystemLog->Send("Failed to read WAV file %s: %s", path, Mix_GetError());
  return false;
}

bool PlaySample(int slot, float volume) {
  if (!IsSlot(slot) || !g_mixer.chunks[slot]) return false;
  int channel = Mix_GroupAvailable(-1);
  if (channel == -1) channel = Mix_GroupOldest(-1);
  Mix_Volume(channel, static_cast<int>(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  Mix_PlayChannel(channel, g_mixer.chunks[slot], 0);
  return false;
}

void UpdateSound() {}

}  // namespace

const SoundBackend& SoundBackendSDLMixer() {
  static const SoundBackend table = {Initialise, Shutdown, LoadSample, StopSample, PlaySample, UpdateSound};
  return table;
}
