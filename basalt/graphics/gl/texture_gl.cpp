#include "basalt/graphics/gl/texture_gl.h"

#include <epoxy/gl.h>
#include <stb_image.h>

#include <climits>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/jpeg_check.h"
#include "basalt/graphics/png_check.h"
#include "basalt/graphics/pnm_check.h"
#include "basalt/graphics/tga_check.h"

namespace Basalt {

namespace {

// GL error codes stand in for the result codes of the log lines.
unsigned LastError() {
  const GLenum error = glGetError();
  while (glGetError() != GL_NO_ERROR) {
  }
  return error;
}

// Why stb_image must not see the file (each check says what it would do
// with it), or null when it may decode it.
const char* RefusalBeforeDecoding(const stbi_uc* file, unsigned size) {
  if (size > INT_MAX || !TgaPixelsComplete(file, size) || !PngChunksComplete(file, size)) return "truncated image";
  if (!JpegHuffmanTablesFit(file, size)) return "bad Huffman table";
  switch (CheckPnm(file, size)) {
    case PnmVerdict::kNumberTooLong:
      return "bad image header";
    case PnmVerdict::kPixelsMissing:
      return "truncated image";
    case PnmVerdict::kSixteenBit:
      return "16-bit PGM/PPM not supported";
    case PnmVerdict::kPasses:
      break;
  }
  return nullptr;
}

}  // namespace

bool TextureGL::LoadTexture(const void* bytes, unsigned size) {
  Release();
  const auto* file = static_cast<const stbi_uc*>(bytes);
  int width = 0, height = 0, channels = 0;
  const char* refusal = RefusalBeforeDecoding(file, size);
  stbi_uc* pixels =
      refusal ? nullptr : stbi_load_from_memory(file, static_cast<int>(size), &width, &height, &channels, 4);
  if (!pixels) {
    LogMessage("(ERROR) TextureGL::SetData(): Failed to create texture (code: %d): %s (texture %s)", 0,
               refusal ? refusal : stbi_failure_reason(), m_name);
    return false;
  }
  const bool ok = Upload(static_cast<unsigned>(width), static_cast<unsigned>(height), GL_RGBA, GL_UNSIGNED_BYTE,
                         pixels, 0);
  stbi_image_free(pixels);
  if (ok) m_bpp = 32;
  return ok;
}

bool TextureGL::SetData(const void* pixels, unsigned depth, unsigned width, unsigned height) {
  GLenum format = 0, type = 0;
  switch (depth) {
    case 16: format = GL_RGB, type = GL_UNSIGNED_SHORT_5_6_5; break;
    case 24: format = GL_BGR, type = GL_UNSIGNED_BYTE; break;
    case 32: format = GL_BGRA, type = GL_UNSIGNED_BYTE; break;
    default:
      LogMessage("TextureGL::SetData(): Unknown color depth: %d", depth);
      return false;
  }
  Release();
  if (!Upload(width, height, format, type, pixels, static_cast<unsigned>(g_mipLevels > 0 ? g_mipLevels : 0)))
    return false;
  m_bpp = depth;
  return true;
}

// Creates the texture from level 0's pixels; levels 0 means the full chain.
bool TextureGL::Upload(unsigned width, unsigned height, unsigned format, unsigned type, const void* pixels,
                       unsigned levels) {
  LastError();
  glGenTextures(1, &m_texture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLint internalFormat = format == GL_RGBA || format == GL_BGRA ? GL_RGBA8 : GL_RGB8;
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, format,
               type, pixels);
  if (levels != 1) {
    if (levels > 1) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    glGenerateMipmap(GL_TEXTURE_2D);
  } else {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  }
  const unsigned error = LastError();
  if (CurrentDeviceGL()) CurrentDeviceGL()->ForgetTextureBinding(0);
  if (error != GL_NO_ERROR) {
    LogMessage("(ERROR) TextureGL::SetData(): Failed to create texture (code: %d)", error);
    Release();
    return false;
  }
  m_width = width;
  m_height = height;
  return true;
}

bool TextureGL::Activate(unsigned stage) {
  m_stage = stage;
  return CurrentDeviceGL() && CurrentDeviceGL()->BindTexture(stage, m_texture);
}

void TextureGL::Release() {
  if (m_texture) {
    if (CurrentDeviceGL()) CurrentDeviceGL()->ForgetTexture(m_texture);
    glDeleteTextures(1, &m_texture);
  }
  m_texture = 0;
}

}  // namespace Basalt
