#include "content/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "content/image.h"

namespace content {

namespace {

constexpr size_t kHeaderBytes = 44;

// Fills a buffer of known size front to back, numbers little-endian. The
// buffer is sized before it is filled, so nothing grows while it is written.
class ByteWriter {
 public:
  explicit ByteWriter(uint8_t* out) : m_out(out) {}
  void Tag(const char* tag) {
    std::memcpy(m_out, tag, 4);
    m_out += 4;
  }
  void Number(uint32_t value, int size) {
    for (int i = 0; i < size; ++i) *m_out++ = static_cast<uint8_t>(value >> (8 * i));
  }

 private:
  uint8_t* m_out;
};

}  // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> bytes(kHeaderBytes + dataSize);
  ByteWriter out(bytes.data());
  out.Tag("RIFF");
  out.Number(36 + dataSize, 4);
  out.Tag("WAVE");
  out.Tag("fmt ");
  out.Number(16, 4);
  out.Number(1, 2);  // PCM
  out.Number(1, 2);  // mono
  out.Number(kSampleRate, 4);
  out.Number(kSampleRate * 2, 4);
  out.Number(2, 2);
  out.Number(16, 2);
  out.Tag("data");
  out.Number(dataSize, 4);
  for (float sample : samples) {
    const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    out.Number(static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
  }
  return WriteBytes(path, bytes);
}

}  // namespace content
