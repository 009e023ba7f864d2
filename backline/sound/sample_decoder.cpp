#include "backline/sound/sample_decoder.h"

#include <cstring>

namespace {

constexpr uint16_t kMaxChannels = 32;
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 768000;
// WAVE_FORMAT_EXTENSIBLE: valid bits (2), channel mask (4), then the
// sub-format GUID whose first two bytes are the plain format tag and whose
// other fourteen are these.
constexpr size_t kSubFormatOffset = 6;
constexpr size_t kExtensibleExtraSize = 22;
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

using SampleReader = float (*)(const uint8_t* bytes);

float ReadUnsigned8(const uint8_t* b) { return (static_cast<float>(b[0]) - 128.0f) / 128.0f; }
float ReadSigned16(const uint8_t* b) {
  return static_cast<float>(static_cast<int16_t>(static_cast<uint16_t>(b[0] | b[1] << 8))) / 32768.0f;
}
float ReadSigned24(const uint8_t* b) {
  const uint32_t bits = static_cast<uint32_t>(b[0]) << 8 | static_cast<uint32_t>(b[1]) << 16 |
                        static_cast<uint32_t>(b[2]) << 24;
  return static_cast<float>(static_cast<int32_t>(bits)) / 2147483648.0f;
}
float ReadSigned32(const uint8_t* b) {
  const uint32_t bits = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                        static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  return static_cast<float>(static_cast<double>(static_cast<int32_t>(bits)) / 2147483648.0);
}
// Float samples are little-endian in the file, as on every machine we build for.
float ReadFloat32(const uint8_t* b) {
  float value;
  std::memcpy(&value, b, sizeof value);
  return value;
}
float ReadFloat64(const uint8_t* b) {
  double value;
  std::memcpy(&value, b, sizeof value);
  return static_cast<float>(value);
}

// The plain tag behind an extensible format, or 0 when it names something else.
uint16_t SubFormatTag(const WaveFormat& format) {
  if (format.extra.size() < kExtensibleExtraSize) return 0;
  const uint8_t* guid = format.extra.data() + kSubFormatOffset;
  if (std::memcmp(guid + 2, kSubFormatTail, sizeof kSubFormatTail) != 0) return 0;
  return static_cast<uint16_t>(guid[0] | guid[1] << 8);
}

SampleReader ReaderFor(const WaveFormat& format) {
  const uint16_t tag = format.formatTag == WaveFormat::kExtensible ? SubFormatTag(format) : format.formatTag;
  if (tag == WaveFormat::kPcm) {
    switch (format.bitsPerSample) {
      case 8: return ReadUnsigned8;
      case 16: return ReadSigned16;
      case 24: return ReadSigned24;
      case 32: return ReadSigned32;
      default: return nullptr;
    }
  }
  if (tag == WaveFormat::kFloat) {
    if (format.bitsPerSample == 32) return ReadFloat32;
    if (format.bitsPerSample == 64) return ReadFloat64;
  }
  return nullptr;
}

bool HasSaneLayout(const WaveFormat& format) {
  return format.channels >= 1 && format.channels <= kMaxChannels && format.samplesPerSec >= kMinRate &&
         format.samplesPerSec <= kMaxRate && format.blockAlign == format.channels * (format.bitsPerSample / 8);
}

}  // namespace

bool DecodeToMono(const WaveFormat& format, const uint8_t* data, size_t bytes, std::vector<float>* out) {
  const SampleReader read = HasSaneLayout(format) ? ReaderFor(format) : nullptr;
  if (!read) return false;
  const size_t sampleBytes = format.bitsPerSample / 8;
  const size_t frames = bytes / format.blockAlign;
  const float scale = 1.0f / static_cast<float>(format.channels);
  out->assign(frames, 0.0f);
  for (size_t frame = 0; frame < frames; ++frame) {
    const uint8_t* bytesOfFrame = data + frame * format.blockAlign;
    float sum = 0.0f;
    for (size_t channel = 0; channel < format.channels; ++channel) sum += read(bytesOfFrame + channel * sampleBytes);
    (*out)[frame] = sum * scale;
  }
  return true;
}
