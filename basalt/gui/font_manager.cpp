#include "basalt/gui/font_manager.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/file_system.h"
#include "basalt/graphics/graphics_device.h"
#include "basalt/graphics/texture.h"
#include "basalt/platform/platform.h"

namespace Basalt {

namespace {

constexpr unsigned kTgaHeaderBytes = 18;
constexpr unsigned kBytesPerPixel = 4;

unsigned Word(const unsigned char* p) { return p[0] | static_cast<unsigned>(p[1]) << 8; }

// Where a font file's pixels are. Only the id length, the colour-map type
// and entry size, the width and the height are read: the pixels are taken to
// be 32-bit B, G, R, A, bottom row first.
struct FontFile {
  const unsigned char* pixels = nullptr;
  unsigned width = 0, height = 0;
};

// False for a file too short for its header or for the pixels it announces,
// and for a zero or huge size.
bool LocatePixels(const RAMFile& file, FontFile* out) {
  const auto* data = reinterpret_cast<const unsigned char*>(file.data);
  if (!data || file.size < kTgaHeaderBytes) return false;
  const unsigned width = Word(data + 12), height = Word(data + 14);
  if (width == 0 || height == 0 || width > FontManager::kMaxImageSide || height > FontManager::kMaxImageSide)
    return false;
  const unsigned offset = kTgaHeaderBytes + data[0] + data[1] * data[7];
  const unsigned long bytes = static_cast<unsigned long>(width) * height * kBytesPerPixel;
  if (offset > file.size || bytes > file.size - offset) return false;
  *out = {data + offset, width, height};
  return true;
}

// The texture's pixels run top row first, the file's bottom row first.
std::vector<unsigned char> TopRowFirst(const FontFile& image) {
  const size_t rowBytes = static_cast<size_t>(image.width) * kBytesPerPixel;
  std::vector<unsigned char> pixels(rowBytes * image.height);
  for (unsigned row = 0; row < image.height; ++row)
    std::memcpy(&pixels[row * rowBytes], image.pixels + (image.height - 1 - row) * rowBytes, rowBytes);
  return pixels;
}

}  // namespace

FontManager::~FontManager() { Shutdown(); }

int FontManager::LoadFont(const char* path) {
  const int id = m_fonts.Add(FontRecord{});
  if (id < 0) return -1;
  FontRecord* font = &m_fonts.Get(static_cast<unsigned>(id));
  return RunGuarded("Failed to load font", path, false, [&] { return ReadFont(path, font); }) ? id : -1;
}

bool FontManager::ReadFont(const char* path, FontRecord* font) {
  RAMFile file;
  FontFile image;
  if (!g_pFileSystem || !g_pFileSystem->LoadFileToRAM(path, &file) || !LocatePixels(file, &image)) return false;
  std::unique_ptr<ITexture> texture = g_pGraphics ? g_pGraphics->CreateTexture(path) : nullptr;
  if (!texture || !texture->SetData(TopRowFirst(image).data(), 32, image.width, image.height)) {
    if (g_pPlatform) g_pPlatform->MsgBox("error", "Failed to create texture for font %s", path);
    return false;
  }
  ScanGlyphs(image.pixels, image.width, image.height, &font->glyphs);
  font->imageWidth = image.width;
  font->texture = texture.release();
  font->loaded = true;
  return true;
}

void FontManager::DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...) {
  if (!format) return;
  char text[kFormatCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  const size_t length = std::min(std::strlen(format), std::strlen(text));
  Queue(font, x, y, colour, text, static_cast<unsigned>(length));
}

void FontManager::QueueFormatted(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format,
                                 va_list args) {
  if (!format) return;
  char text[kFormatCapacity];
  std::vsnprintf(text, sizeof text, format, args);
  QueueText(font, x, y, colour, text);
}

void FontManager::QueueText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* text) {
  if (text) Queue(font, x, y, colour, text, static_cast<unsigned>(strnlen(text, kFormatCapacity - 1)));
}

void FontManager::Queue(unsigned font, unsigned x, unsigned y, unsigned colour, const char* text, unsigned length) {
  const auto offset = static_cast<unsigned>(m_textPool.size());
  if (m_queue.Add(TextRequest{offset, length, font, x, y, colour}) < 0) return;
  m_textPool.insert(m_textPool.end(), text, text + length);
}

unsigned FontManager::GetGlyphWidth(unsigned font, char ch) const {
  const FontRecord* record = Font(font);
  if (!record) return 0;
  if (ch == ' ') return record->glyphs.spaceWidth;
  const TextureRect& box = record->glyphs.boxes[static_cast<unsigned char>(ch)];
  return static_cast<unsigned>(box.right - box.left);
}

unsigned FontManager::GetTextWidth(unsigned font, const char* text) const {
  unsigned width = 0;
  for (; text && *text; ++text) width += GetGlyphWidth(font, *text) + 1;
  return width;
}

// A space advances by the space width alone, one pixel less than
// GetTextWidth counts for it.
void FontManager::RenderText() {
  if (g_pGraphics) g_pGraphics->SetRenderState(IGraphicsDevice::RS_DEPTH_WRITE, 1, false);
  for (unsigned i = 0; i < m_queue.Count(); ++i) {
    const TextRequest& request = m_queue.Get(i);
    const char* text = GetQueuedText(request);
    unsigned pen = 0;
    for (unsigned c = 0; c < request.length && text[c]; ++c) {
      if (text[c] == ' ') {
        pen += GetGlyphWidth(request.font, ' ');
        continue;
      }
      DrawGlyph(request.font, text[c], request.x + pen, request.y, request.colour);
      pen += GetGlyphWidth(request.font, text[c]) + 1;
    }
  }
  if (g_pGraphics) g_pGraphics->SetRenderState(IGraphicsDevice::RS_DEPTH_WRITE, 1, false);
  m_queue.Clear();
  m_textPool.clear();
}

// x and y wrap like the signed positions they stand for.
void FontManager::DrawGlyph(unsigned font, char ch, unsigned x, unsigned y, unsigned colour) {
  const FontRecord* record = Font(font);
  const auto code = static_cast<unsigned char>(ch);
  if (!record || !record->texture || !g_pGraphics) return;
  const TextureRect& box = record->glyphs.boxes[code];
  if (box.right <= box.left) return;
  const vec3f position = {static_cast<float>(static_cast<int>(x)),
                          static_cast<float>(static_cast<int>(y) + record->glyphs.offsets[code]), kTextDepth};
  g_pGraphics->Draw2D(box, position, colour, record->texture, 1.0f, 1.0f);
}

void FontManager::Shutdown() {
  for (unsigned i = 0; i < m_fonts.Count(); ++i) {
    FontRecord& font = m_fonts.Get(i);
    delete font.texture;
    font.texture = nullptr;
  }
}

}  // namespace Basalt
