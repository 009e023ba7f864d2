#pragma once
// The program plays sound only through this table of six operations, filled
// once by SelectSoundBackend at start-up with the voice engine
// (sound_backend_voices.h) or SDL_mixer (sound_backend_sdl_mixer.h).
// Every operation is called on the main thread.
//
// Sound slots: 0..9 the primary sound of pad slot 0..9, 10..19 the secondary
// sound of the same pad slots, 20 the metronome click. Loading into a slot
// replaces what it held.
struct SoundBackend {
  // Opens the output device. The argument is g_audioBufferSize, which no back
  // end reads (the device period comes from g_audioPeriodMs).
  bool (*Initialise)(int bufferSize) = nullptr;
  // Closes the device and releases every slot's sample.
  void (*Shutdown)() = nullptr;
  // Loads the WAV file at path (a program path) into slot; false, with a log
  // line, leaves the slot silent.
  bool (*LoadSample)(int slot, const char* path) = nullptr;
  // Silences the slot and releases its sample.
  void (*StopSample)(int slot) = nullptr;
  // Starts a hit on slot at volume (0..1). Never blocks, allocates or touches
  // a file. False when the slot holds nothing (see each back end for the rest).
  bool (*PlaySample)(int slot, float volume) = nullptr;
  // Housekeeping, once per frame.
  void (*UpdateSound)() = nullptr;
};

// Empty until SelectSoundBackend has run; not changed afterwards.
extern SoundBackend g_soundBackend;

// Unless g_useSoundLib is 1, tries the voice engine first; then SDL_mixer.
// Logs the back end tried ("  [voices]", "  [SDL_mixer]") and each failure.
// False when neither starts.
bool SelectSoundBackend();

// The same choice between two given tables (a seam for tests).
bool SelectSoundBackendFrom(const SoundBackend& voices, const SoundBackend& sdlMixer);

// The device period asked of both back ends: g_audioPeriodMs at rate, with
// out-of-range settings brought back to 1..100 ms.
int AudioPeriodFrames(int rate);
