// An image file, loaded into an OpenGL texture: the TGA completeness check,
// the stb_image decode and the upload with its mip chain.
#include <cstddef>
#include <cstdint>

#include "basalt/graphics/gl/texture_gl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Basalt::TextureGL texture("fuzz.tga");
  texture.LoadTexture(data, static_cast<unsigned>(size));
  return 0;
}
