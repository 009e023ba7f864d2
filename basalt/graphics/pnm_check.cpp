#include "basalt/graphics/pnm_check.h"

#include <cstdint>

namespace Basalt {

namespace {

constexpr unsigned kMaxDigits = 9;  // 999 999 999 still fits an int after one more step

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Skips blanks and '#' comments (to the end of their line), as the decoder does.
unsigned SkipBlanks(const unsigned char* data, unsigned size, unsigned at) {
  while (at < size) {
    if (IsSpace(data[at])) {
      ++at;
    } else if (data[at] == '#') {
      while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
    } else {
      break;
    }
  }
  return at;
}

}  // namespace

PnmVerdict CheckPnm(const unsigned char* data, unsigned size) {
  if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return PnmVerdict::kPasses;
  uint64_t numbers[3] = {};  // width, height, maximum
  unsigned at = 2;
  for (uint64_t& number : numbers) {
    at = SkipBlanks(data, size, at);
    unsigned digits = 0;
    for (; at < size && IsDigit(data[at]); ++at) {
      if (++digits > kMaxDigits) return PnmVerdict::kNumberTooLong;
      number = number * 10 + (data[at] - '0');
    }
  }
  // The decoder has taken the character after the maximum: the raster follows it.
  const uint64_t rasterStart = uint64_t{at} + 1;
  const uint64_t channels = data[1] == '6' ? 3 : 1, sampleBytes = numbers[2] > 255 ? 2 : 1;
  const uint64_t rasterBytes = numbers[0] * numbers[1] * channels * sampleBytes;
  if (rasterStart > size || rasterBytes > size - rasterStart) return PnmVerdict::kPixelsMissing;
  return sampleBytes == 2 ? PnmVerdict::kSixteenBit : PnmVerdict::kPasses;
}

}  // namespace Basalt
