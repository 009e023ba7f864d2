#include "basalt/graphics/png_check.h"

#include <cstdint>
#include <cstring>

namespace Basalt {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned kChunkHead = 8;  // length, type
constexpr unsigned kChunkCrc = 4;

uint32_t BigEndian32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

}  // namespace

bool PngChunksComplete(const unsigned char* data, unsigned size) {
  if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) return true;
  uint64_t at = sizeof kSignature;
  while (at + kChunkHead <= size) {
    const uint64_t length = BigEndian32(data + at);
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
    // The checksum after the data is not needed whole: the decoder reads a
    // missing one as zero without complaint.
    if (length > size - (at + kChunkHead)) return false;
    at += kChunkHead + length + kChunkCrc;
  }
  return true;
}

}  // namespace Basalt
