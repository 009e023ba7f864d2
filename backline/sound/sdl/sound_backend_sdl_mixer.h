#pragma once
// The SDL_mixer back end: SDL_mixer opens the device, decodes each WAV file
// itself and mixes on its own thread; a dispatcher thread of the back end
// (Initialize to Shutdown) starts the notes when they are due. Slots 0..50;
// every note plays the slot's one chunk on a free mixer channel at its own
// volume, overlapping earlier ones, with no pitch change. A note starts
// within a device period and a millisecond after its time, not on an exact
// sample (see sound_backend_sdl_mixer.cpp).
#include "backline/sound/sound_backend.h"

// The table of the SDL_mixer operations (static; valid for the process).
const SoundBackend& SoundBackendSDLMixer();
