// Markers can only start where a byte FF is followed by the marker byte (in
// the compressed data FF is always followed by 00 or a restart marker), so
// every pair FF C4 in the file is taken for a Huffman table segment: a pair
// inside some other segment's data is checked too, which can only refuse a
// file, never let a bad table through. Like stb_image, a segment's tables are
// read while its length has room left, and bytes past the end read as zeros.
#include "basalt/graphics/jpeg_check.h"

namespace Basalt {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kDefineHuffmanTables = 0xC4;
constexpr unsigned kCodeCounts = 16;
constexpr unsigned kMaxCodes = 256;

unsigned ByteAt(const unsigned char* data, unsigned size, unsigned long at) { return at < size ? data[at] : 0; }

// The tables of the segment whose marker is at at.
bool SegmentTablesFit(const unsigned char* data, unsigned size, unsigned long at) {
  long left = static_cast<long>(ByteAt(data, size, at + 2) << 8 | ByteAt(data, size, at + 3)) - 2;
  at += 4;
  while (left > 0) {
    unsigned codes = 0;
    for (unsigned i = 1; i <= kCodeCounts; ++i) codes += ByteAt(data, size, at + i);
    if (codes > kMaxCodes) return false;
    at += 1 + kCodeCounts + codes;
    left -= static_cast<long>(1 + kCodeCounts + codes);
  }
  return true;
}

}  // namespace

bool JpegHuffmanTablesFit(const unsigned char* data, unsigned size) {
  unsigned start = 0;  // the decoder skips any number of FF bytes before the start marker
  while (start < size && data[start] == kMarker) ++start;
  if (start == 0 || start == size || data[start] != 0xD8) return true;
  for (unsigned at = start + 1; at + 1 < size; ++at)
    if (data[at] == kMarker && data[at + 1] == kDefineHuffmanTables && !SegmentTablesFit(data, size, at)) return false;
  return true;
}

}  // namespace Basalt
