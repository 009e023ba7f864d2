#pragma once
// stb_image reads the width, height and maximum of a PGM or PPM header
// ("P5", "P6") into an int, digit by digit, without a limit, so a number of
// ten digits or more overflows it. This check reads the header the same way
// first and refuses numbers that long.

namespace Basalt {

// False only for data that starts as a binary PGM or PPM whose header holds
// a number of more than 9 digits; anything else passes (the decoder judges it).
bool PnmHeaderNumbersFit(const unsigned char* data, unsigned size);

}  // namespace Basalt
