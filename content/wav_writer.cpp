#include "content/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "content/image.h"

namespace content {

namespace {

void Put(std::vector<uint8_t>* bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>* bytes, const char* tag) { bytes->insert(bytes->end(), tag, tag + 4); }

}  // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> bytes;
  bytes.reserve(44 + dataSize);
  PutTag(&bytes, "RIFF");
  Put(&bytes, 36 + dataSize, 4);
  PutTag(&bytes, "WAVE");
  PutTag(&bytes, "fmt ");
  Put(&bytes, 16, 4);
  Put(&bytes, 1, 2);  // PCM
  Put(&bytes, 1, 2);  // mono
  Put(&bytes, kSampleRate, 4);
  Put(&bytes, kSampleRate * 2, 4);
  Put(&bytes, 2, 2);
  Put(&bytes, 16, 2);
  PutTag(&bytes, "data");
  Put(&bytes, dataSize, 4);
  for (float sample : samples) {
    const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    Put(&bytes, static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
  }
  return WriteBytes(path, bytes);
}

}  // namespace content
