#include "backline/sound/sound_backend.h"

#include <algorithm>

#include "backline/common/app_cvars.h"
#include "basalt/foundation/log.h"

SoundBackend g_soundBackend;

namespace {

constexpr float kMinFrequencyRatio = 1.0f / 1024.0f;
constexpr float kMaxFrequencyRatio = 4.0f;
// The minimal standard generator (the one std::minstd_rand is).
constexpr uint64_t kMinstdMultiplier = 48271;
constexpr uint64_t kMinstdModulus = 2147483647;

bool TryBackend(const SoundBackend& backend, const char* tag) {
  g_soundBackend = backend;
  Basalt::LogMessage("%s", tag);
  return g_soundBackend.Initialize();
}

}  // namespace

bool SelectSoundBackendFrom(const SoundBackend& voices, const SoundBackend& sdlMixer) {
  if (g_useSoundLib != 1) {
    if (TryBackend(voices, "  [voices]")) return true;
    Basalt::LogMessage("Failed to initialize voice engine sound! Trying SDL_mixer..");
  }
  if (TryBackend(sdlMixer, "  [SDL_mixer]")) return true;
  Basalt::LogMessage("Failed to initialize SDL_mixer sound!");
  return false;
}

int AudioPeriodFrames(int rate) { return rate * g_audioPeriodMs / 1000; }

float PickPitch(uint32_t* seed) {
  uint64_t state = *seed % kMinstdModulus;
  state = (state == 0 ? 1 : state) * kMinstdMultiplier % kMinstdModulus;
  *seed = static_cast<uint32_t>(state);
  if (g_freqVariation <= 0) return 1.0f;
  const double spread = static_cast<double>(state % static_cast<unsigned>(g_freqVariation));
  const double ratio = 1.0 - g_freqVariation * 0.001 * 0.5 + spread / 1000.0;
  return std::clamp(static_cast<float>(ratio), kMinFrequencyRatio, kMaxFrequencyRatio);
}
