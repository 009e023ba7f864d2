#include "backline/sound/sdl/sound_backends_sdl.h"

#include "backline/sound/sdl/audio_output_sdl.h"
#include "backline/sound/sdl/sound_backend_sdl_mixer.h"
#include "backline/sound/sound_backend_voices.h"

const SoundBackend& SoundBackendVoicesSDL() {
  // Never destroyed: the voice engine, which lives for the process too, may
  // still hold it when the process exits mid-play.
  static AudioOutputSDL& output = *new AudioOutputSDL;
  SetVoiceOutput(&output);
  return SoundBackendVoices();
}

bool SelectSoundBackend() { return SelectSoundBackendFrom(SoundBackendVoicesSDL(), SoundBackendSDLMixer()); }
