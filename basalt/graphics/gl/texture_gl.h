#pragma once
#include "basalt/graphics/texture.h"

namespace Basalt {

// ITexture on an OpenGL texture: decoded from an image file in memory by
// stb_image (TGA, PNG, ...) or made from raw pixels. Holds no texture after a
// failed load, and then binds nothing. Needs the current device's context (CurrentDeviceGL).
class TextureGL : public ITexture {
 public:
  using ITexture::ITexture;
  ~TextureGL() override { Release(); }

  // bytes: a whole image file. Builds the full mip chain. A file that cannot
  // be decoded is a log line naming the texture and why.
  bool LoadTexture(const void* bytes, unsigned size) override;
  // 16: R5G6B5 words; 24: B, G, R bytes (opaque); 32: B, G, R, A bytes
  // (a little-endian ARGB word), top row first, rows packed. g_mipLevels
  // levels (0: the full chain) are derived from the pixels.
  bool SetData(const void* pixels, unsigned depth, unsigned width, unsigned height) override;
  bool Activate(unsigned stage) override;
  void Release() override;

  unsigned GetGLTexture() const { return m_texture; }

 private:
  bool Upload(unsigned width, unsigned height, unsigned format, unsigned type, const void* pixels, unsigned levels);

  unsigned m_texture = 0;
  unsigned m_stage = 0;
};

}  // namespace Basalt
