#pragma once
// The voice-engine back end: the SoundBackend operations on one VoiceEngine.
// Its Initialize starts the engine on the output given to SetVoiceOutput
// (sdl/sound_backends_sdl.h gives SDL's default device); an offline render
// uses the operations with no output at all.
#include "backline/sound/audio_output.h"
#include "backline/sound/sound_backend.h"
#include "backline/sound/voice_engine.h"

// The table of the voice-engine operations (static; valid for the process).
const SoundBackend& SoundBackendVoices();

// The output the table's Initialize opens; it must live until Shutdown.
// Null (the start) makes Initialize fail. Main thread, not between
// Initialize and Shutdown.
void SetVoiceOutput(AudioOutput* output);

// The engine behind that table, for inspection and offline rendering. It
// lives for the process; it renders for its output from Initialize to
// Shutdown.
VoiceEngine& GetVoiceEngine();
