#pragma once
// Turns the raw "data" bytes of a WAV file into mono float samples in
// [-1, 1) at the file's own rate, once, when a sample is loaded. Channels
// are averaged. Any thread; allocates only out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "backline/sound/wave_file.h"

// Whether the format is one the decoder plays: 8-bit unsigned, 16/24/32-bit
// signed PCM, 32/64-bit float, or WAVE_FORMAT_EXTENSIBLE holding one of
// those, with a sane channel count (1..32), rate (1 kHz..768 kHz) and block size.
bool IsDecodableFormat(const WaveFormat& format);

// Replaces out with one sample per whole frame of data (a trailing partial
// frame is dropped). False, out untouched, when the format is not decodable.
bool DecodeToMono(const WaveFormat& format, const uint8_t* data, size_t bytes, std::vector<float>* out);
