#include "basalt/graphics/pnm_check.h"

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

bool PnmHeaderNumbersFit(const unsigned char* data, unsigned size) {
  if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return true;
  unsigned at = 2;
  for (int number = 0; number < 3; ++number) {  // width, height, maximum
    at = SkipBlanks(data, size, at);
    unsigned digits = 0;
    for (; at < size && IsDigit(data[at]); ++at)
      if (++digits > kMaxDigits) return false;
  }
  return true;
}

}  // namespace Basalt
