#include "tests/backline/sound/wav_bytes.h"

namespace test {

std::string Le16(uint16_t value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

std::string Le32(uint32_t value) {
  return Le16(static_cast<uint16_t>(value & 0xFFFF)) + Le16(static_cast<uint16_t>(value >> 16));
}

std::string Chunk(const char* id, const std::string& body) {
  std::string chunk = std::string(id, 4) + Le32(static_cast<uint32_t>(body.size())) + body;
  if (body.size() % 2) chunk += '\0';
  return chunk;
}

std::string FmtHead(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) + Le16(bits);
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

std::string Pcm16Wav(const std::vector<int16_t>& samples, uint32_t rate) {
  std::string data;
  for (int16_t sample : samples) data += Le16(static_cast<uint16_t>(sample));
  return Riff(Chunk("fmt ", FmtHead(1, 1, rate, 16)) + Chunk("data", data));
}

}  // namespace test
