#pragma once
// Playing a recording without an audio device, as fast as the machine can:
// the same player (player.h) hands the same notes, with the recording's
// samples, volumes and modifier, to the same voice engine the program plays
// through, which renders them on a hand-stepped clock instead of a device's.
// Its output is what a device would have been handed, limiter and all, from
// the moment of the first event on. Main thread.
#include <functional>

#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"

// Takes each block of output: frames interleaved stereo frames at 48 kHz.
// Returns false to stop the render.
using RenderSink = std::function<bool(const float* stereo, int frames)>;

// Renders recording from its time 0 until its last sound has ended, block by
// block into sink. Loads the recording's samples from bank into the voice
// engine of the voices back end (GetVoiceEngine(), which must have no device
// open) and releases them at the end; g_soundBackend is that back end's table
// while it runs and is put back after. A sample that cannot be loaded is
// logged (naming source, the recording's file) and its pad stays silent, as
// in playback. False when the sink stopped it.
bool RenderRecording(const plrInfo& recording, const SampleBank& bank, const char* source, const RenderSink& sink);
