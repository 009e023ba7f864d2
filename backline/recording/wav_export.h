#pragma once
// A recording as a sound file: its offline render (offline_render.h) written
// by libsndfile as a 48 kHz stereo 24-bit PCM WAV, whole or not at all
// (Basalt::AtomicFileWriter: an export that fails leaves no file, or the
// file that was there). Main thread.
#include <cstdint>
#include <string>

#include "backline/recording/offline_render.h"

// The 24-bit value a rendered sample is written as, in the top three bytes
// of an int32 (libsndfile's integer convention): round(sample x (2^23 - 1)),
// the full scale clipped (the limiter keeps the render under it).
int32_t WavSample24(float sample);

// Renders source and writes it to path (a program path). Empty on success,
// else why not ("cannot write take.wav: ..."), the same in a log line; path
// is then as it was. Never throws.
std::string ExportRecordingWav(const RenderSource& source, const char* path);
