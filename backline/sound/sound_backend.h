#pragma once
// The program plays sound only through this table, filled once by
// SelectSoundBackend (sdl/sound_backends_sdl.h) at start-up with the voice
// engine (sound_backend_voices.h) or SDL_mixer (sdl/sound_backend_sdl_mixer.h).
//
// Sound slots: 0..9 the primary sound of pad slot 0..9, 10..19 the secondary
// sound of the same pad slots, 20 the metronome click, 21 on the pad sounds'
// velocity layers (backline/common/pad_slots.h). Loading into a slot replaces
// what it held.
//
// Threads: PlayNote from the thread its NoteSource names (one producer per
// source); MetronomeBeats and NotesStarted from any thread; everything else
// from the main thread.
//
// Timing: the voice engine starts a note on the very output sample of
// note.time plus one device period, so every strike has the same latency.
// SDL_mixer starts it at its next mixing pass after note.time, so there the
// latency varies by up to a period (see sound_backend_sdl_mixer.cpp).
#include <cstdint>

#include "backline/sound/note.h"

struct SoundBackend {
  // Opens the output device, with the period g_audioPeriodMs gives.
  bool (*Initialize)() = nullptr;
  // Closes the device and releases every slot's sample.
  void (*Shutdown)() = nullptr;
  // Loads the sample file at path (a program path) into slot; false, with a
  // log line, leaves the slot silent. Decodes on the calling thread with
  // DecodeSampleFile (sample_decoder.h), so both back ends take and refuse the
  // same files; the audio thread takes the decoded sample over without waiting.
  bool (*LoadSample)(int slot, const char* path) = nullptr;
  // Silences the slot and releases its sample.
  void (*StopSample)(int slot) = nullptr;
  // Hands a note to the audio thread through source's queue; it starts at the
  // sample of note.time plus one device period (at once when that moment has
  // passed). Never blocks, allocates or touches a file. False when the slot
  // holds nothing or the queue is full.
  bool (*PlayNote)(NoteSource source, const Note& note) = nullptr;
  // Drops every note of source that has not started yet (playback stopped).
  void (*CancelNotes)(NoteSource source) = nullptr;
  // Starts or stops the metronome, or changes its tempo; it clicks slot 20 on
  // the audio clock, the first beat one device period after it is switched
  // on, then every 60 / bpm seconds to the sample.
  void (*SetMetronome)(bool on, unsigned bpm) = nullptr;
  // Beats clicked so far (the screen flashes on each new one).
  uint32_t (*MetronomeBeats)() = nullptr;
  // Notes started so far (tests and benchmarks).
  uint32_t (*NotesStarted)() = nullptr;
  // Housekeeping, once per frame on the main thread (releases the samples the
  // audio thread has let go of).
  void (*UpdateSound)() = nullptr;
};

// Empty until SelectSoundBackend has run; not changed afterwards.
extern SoundBackend g_soundBackend;

// Unless g_useSoundLib is 1, tries voices first; then sdlMixer. Logs the
// back end tried ("  [voices]", "  [SDL_mixer]") and each failure. False
// when neither starts.
bool SelectSoundBackendFrom(const SoundBackend& voices, const SoundBackend& sdlMixer);

// The device period asked of both back ends: g_audioPeriodMs at rate (the
// settings file cannot leave its 1..100 ms).
int AudioPeriodFrames(int rate);

// A random frequency ratio for one strike: 1 +- g_freqVariation / 2
// thousandths, from the caller's own generator (each sending thread keeps
// one, so none is shared between threads).
float PickPitch(uint32_t* seed);
