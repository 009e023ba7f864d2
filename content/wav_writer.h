#pragma once
#include <string>
#include <vector>

namespace content {

constexpr int kSampleRate = 48000;

// Writes samples (-1..1, clipped) as a 16-bit mono 48 kHz PCM WAV file.
bool WriteWav(const std::string& path, const std::vector<float>& samples);

}  // namespace content
