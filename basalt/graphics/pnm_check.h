#pragma once
// stb_image trusts a PGM or PPM header ("P5", "P6"): it reads the width,
// height and maximum into an int digit by digit without a limit, so a number
// of ten digits or more overflows it; and it allocates the whole raster the
// header promises before reading it, then keeps the buffer even when the file
// ends early, so a few bytes can ask for gigabytes or load as uninitialized
// pixels. And it converts 16-bit samples with its 8-bit code, writing and
// reading past its buffers. This check reads the header the same way first.

namespace Basalt {

enum class PnmVerdict {
  kPasses,         // not a binary PGM or PPM, or one whose pixels are all there
  kNumberTooLong,  // a header number of more than 9 digits
  kPixelsMissing,  // the raster runs past the end of the data
  kSixteenBit,     // a maximum above 255: 16-bit samples
};

PnmVerdict CheckPnm(const unsigned char* data, unsigned size);

}  // namespace Basalt
