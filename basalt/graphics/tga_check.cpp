#include "basalt/graphics/tga_check.h"

namespace Basalt {

namespace {

constexpr unsigned kHeaderBytes = 18;

unsigned Word(const unsigned char* p) { return p[0] | static_cast<unsigned>(p[1]) << 8; }

bool IsPixelDepth(unsigned bits) { return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32; }

bool IsRunLengthType(unsigned imageType) { return imageType >= 9 && imageType <= 11; }

bool IsTgaStart(unsigned colourMapType, unsigned imageType) {
  return colourMapType <= 1 && ((imageType >= 1 && imageType <= 3) || IsRunLengthType(imageType));
}

// Walks run-length packets from offset until pixels are covered.
bool RunsComplete(const unsigned char* data, unsigned size, unsigned offset, unsigned long pixels,
                  unsigned pixelBytes) {
  while (pixels > 0) {
    if (offset >= size) return false;
    const unsigned header = data[offset++];
    const unsigned count = (header & 0x7F) + 1;
    const unsigned bytes = header & 0x80 ? pixelBytes : count * pixelBytes;
    if (bytes > size - offset) return false;
    offset += bytes;
    pixels = count >= pixels ? 0 : pixels - count;
  }
  return true;
}

}  // namespace

bool TgaPixelsComplete(const unsigned char* data, unsigned size) {
  // stb_image takes a header cut short for a whole one (the missing bytes
  // read as zeros) and makes a black picture of whatever size it announces.
  if (size < kHeaderBytes) return size < 3 || !IsTgaStart(data[1], data[2]);
  const unsigned colourMapType = data[1], imageType = data[2], pixelBits = data[16];
  const bool rle = IsRunLengthType(imageType);
  const bool tga = IsTgaStart(colourMapType, imageType) && IsPixelDepth(pixelBits);
  const unsigned width = Word(data + 12), height = Word(data + 14);
  if (!tga || width == 0 || height == 0) return true;
  const unsigned mapBytes = colourMapType ? Word(data + 5) * ((data[7] + 7) / 8) : 0;
  const unsigned long offset = kHeaderBytes + data[0] + static_cast<unsigned long>(mapBytes);
  if (offset > size) return false;
  const unsigned pixelBytes = (pixelBits + 7) / 8;
  const unsigned long pixels = static_cast<unsigned long>(width) * height;
  if (rle) return RunsComplete(data, size, static_cast<unsigned>(offset), pixels, pixelBytes);
  return pixels * pixelBytes <= size - offset;
}

}  // namespace Basalt
