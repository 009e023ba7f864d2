#pragma once
// Playing a recording without an audio device, as fast as the machine can:
// the same player (player.h) hands the same notes, with the recording's
// samples, volumes, modifier and strengths and the velocity layers that
// apply with its samples, to the same voice engine the program plays
// through, which renders them on a hand-stepped clock instead of a device's.
// Its output is what a device would have been handed, limiter and all, from
// the moment of the first event on. Main thread.
#include <functional>

#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"

// What a render plays; the caller owns all of it for the render's length.
struct RenderSource {
  const Recording& recording;
  const SampleBank& bank;
  // The preset whose velocity layers the program plays with (its default
  // preset), or null for none; a layer set applies where the recording's pad
  // plays the sample it belongs to. A damaged layers file is logged and the
  // recording plays without layers.
  const char* layersPreset;
  const char* name;  // the recording's file, in log lines
};

// Takes each block of output: frames interleaved stereo frames at 48 kHz.
// Returns false to stop the render.
using RenderSink = std::function<bool(const float* stereo, int frames)>;

// Renders the recording from its time 0 until its last sound has ended,
// block by block into sink. Loads its samples and layers from the bank into
// the voice engine of the voices back end (GetVoiceEngine(), which must have
// no device open) and releases them at the end; g_soundBackend is that back
// end's table while it runs and is put back after. A sample that cannot be
// loaded is logged (naming the recording) and its pad stays silent, as in
// playback. False when the sink stopped it.
bool RenderRecording(const RenderSource& source, const RenderSink& sink);
