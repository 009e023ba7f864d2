#include "tests/support/font_images.h"

#include "basalt/gui/glyph_scan.h"

namespace test {

FontImage::FontImage(unsigned width, unsigned height)
    : m_width(width), m_height(height), m_alpha(static_cast<size_t>(width) * height, 0) {}

void FontImage::Set(unsigned x, unsigned row, unsigned char alpha) { m_alpha[row * m_width + x] = alpha; }

void FontImage::Fill(unsigned x0, unsigned row0, unsigned x1, unsigned row1, unsigned char alpha) {
  for (unsigned row = row0; row < row1; ++row)
    for (unsigned x = x0; x < x1; ++x) Set(x, row, alpha);
}

std::vector<unsigned char> FontImage::FilePixels() const {
  std::vector<unsigned char> pixels;
  for (unsigned row = m_height; row-- > 0;)
    for (unsigned x = 0; x < m_width; ++x) pixels.insert(pixels.end(), {255, 255, 255, m_alpha[row * m_width + x]});
  return pixels;
}

std::string FontImage::Tga(unsigned idBytes) const {
  std::string bytes(18, '\0');
  bytes[0] = static_cast<char>(idBytes);
  bytes[2] = 2;  // uncompressed true colour
  bytes[12] = static_cast<char>(m_width & 0xFF), bytes[13] = static_cast<char>(m_width >> 8);
  bytes[14] = static_cast<char>(m_height & 0xFF), bytes[15] = static_cast<char>(m_height >> 8);
  bytes[16] = 32;
  bytes[17] = 8;  // alpha bits, rows bottom-up
  bytes.append(idBytes, 'i');
  const std::vector<unsigned char> pixels = FilePixels();
  bytes.append(pixels.begin(), pixels.end());
  return bytes;
}

FontImage BlockFont(const std::function<unsigned(char)>& widthOf, unsigned imageWidth) {
  struct Cell {
    unsigned x, band, width;
  };
  std::vector<Cell> cells;
  unsigned x = 1, band = 0;
  for (const char* c = Basalt::kFontCharacterOrder; *c; ++c) {
    const unsigned width = widthOf(*c);
    if (x + width + 1 > imageWidth - 2) x = 1, ++band;
    cells.push_back({x, band, width});
    x += width + 1;
  }
  const unsigned pitch = kBlockHeight + 2;  // the marker inks the row below the blocks
  FontImage image(imageWidth, 1 + (band + 1) * pitch);
  for (unsigned b = 0; b <= band; ++b) image.Set(0, 1 + b * pitch + kBlockHeight - 1, 255);
  for (const Cell& cell : cells) {
    const unsigned top = 1 + cell.band * pitch;
    image.Fill(cell.x, top, cell.x + cell.width, top + kBlockHeight);
  }
  return image;
}

}  // namespace test
