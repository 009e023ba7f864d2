#pragma once
// Turns the raw "data" bytes of a WAV file into mono float samples in
// [-1, 1) at the file's own rate, once, when a sample is loaded. Channels
// are averaged. Any thread; allocates only out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "backline/sound/wave_file.h"

// Replaces out with one sample per whole frame of data (a trailing partial
// frame is dropped). Plays 8-bit unsigned, 16/24/32-bit signed PCM, 32/64-bit
// float, and WAVE_FORMAT_EXTENSIBLE holding one of those, with a sane channel
// count (1..32), rate (1 kHz..768 kHz) and block size; for anything else it
// returns false and leaves out untouched.
bool DecodeToMono(const WaveFormat& format, const uint8_t* data, size_t bytes, std::vector<float>* out);
