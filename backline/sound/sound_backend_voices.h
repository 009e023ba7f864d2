#pragma once
// The voice-engine back end: the SoundBackend operations on one VoiceEngine
// playing through SDL's default audio device.
#include "backline/sound/sound_backend.h"
#include "backline/sound/voice_engine.h"

// The table of the voice-engine operations (static; valid for the process).
const SoundBackend& SoundBackendVoices();

// The engine behind that table, for inspection and offline rendering. It
// lives for the process; its device is open from Initialize to Shutdown.
VoiceEngine& GetVoiceEngine();
