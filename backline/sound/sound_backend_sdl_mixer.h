#pragma once
// The SDL_mixer back end: SDL_mixer opens the device, decodes each WAV file
// itself and mixes on its own thread. Slots 0..50; every hit plays the slot's
// one chunk on a free mixer channel at its own volume, overlapping earlier
// hits, with no pitch change.
#include "backline/sound/sound_backend.h"

// The table of the SDL_mixer operations (static; valid for the process).
// Its PlaySample returns false even when the hit plays (callers ignore it);
// it takes SDL_mixer's device lock for a moment, as every SDL_mixer call does.
const SoundBackend& SoundBackendSDLMixer();
