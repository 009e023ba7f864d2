#pragma once
// stb_image reads past the end of a TGA file as zeros, so a truncated TGA
// would load as a partly black picture. This check walks the file's header
// and pixel packets (uncompressed or run-length encoded) to tell whether all
// its pixels are there.

namespace Basalt {

// False only for data that has a TGA header whose pixels run past size bytes,
// or that stops inside the header of a TGA; data that is not a TGA passes
// (the decoder judges it).
bool TgaPixelsComplete(const unsigned char* data, unsigned size);

}  // namespace Basalt
