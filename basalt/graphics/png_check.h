#pragma once
// stb_image grows its buffer for a PNG's image data to the length a data
// chunk announces before it reads the chunk, so a file of a few hundred bytes
// whose last chunk claims a gigabyte makes it allocate that much only to find
// the bytes missing. This check walks the file's chunks, the way the decoder
// does, up to the end chunk.

namespace Basalt {

// False only for data that starts with the PNG signature and has a chunk
// (before the end chunk) whose data runs past size bytes; anything else
// passes (the decoder judges it).
bool PngChunksComplete(const unsigned char* data, unsigned size);

}  // namespace Basalt
