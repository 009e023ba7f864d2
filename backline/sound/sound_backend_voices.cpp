#include "backline/sound/sound_backend_voices.h"

#include <SDL.h>

#include "basalt/core/log.h"

using Basalt::g_pSystemLog;

namespace {

bool g_audioStarted = false;

bool Initialise(int) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (g_pSystemLog) g_pSystemLog->Send("Failed to init voice engine: %s", SDL_GetError());
    return false;
  }
  if (!GetVoiceEngine().OpenDevice(AudioPeriodFrames(VoiceEngine::kMixRate))) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  g_audioStarted = true;
  return true;
}

void Shutdown() {
  GetVoiceEngine().CloseDevice();
  GetVoiceEngine().ReleaseAll();
  if (g_audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_audioStarted = false;
}

bool LoadSample(int slot, const char* path) { return GetVoiceEngine().LoadSample(slot, path); }
void StopSample(int slot) { GetVoiceEngine().StopSample(slot); }
bool PlaySample(int slot, float volume) { return GetVoiceEngine().PlaySample(slot, volume); }
void UpdateSound() { GetVoiceEngine().UpdateSound(); }

}  // namespace

const SoundBackend& SoundBackendVoices() {
  static const SoundBackend table = {Initialise, Shutdown, LoadSample, StopSample, PlaySample, UpdateSound};
  return table;
}

VoiceEngine& GetVoiceEngine() {
  static VoiceEngine engine;
  return engine;
}
