#pragma once
// The program's sound back ends on SDL: the voice engine playing through
// SDL's default audio device, and SDL_mixer. Main thread.
#include "backline/sound/sound_backend.h"

// The voice-engine table (sound_backend_voices.h) with SDL's default device
// as its output (static; valid for the process).
const SoundBackend& SoundBackendVoicesSDL();

// Fills g_soundBackend at start-up: unless g_useSoundLib is 1 the voice
// engine on SDL's default device, else (or when it does not start) SDL_mixer
// (SelectSoundBackendFrom). False when neither starts.
bool SelectSoundBackend();
