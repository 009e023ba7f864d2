#pragma once
// Font images in the layout the engine's glyph scanner reads, built pixel by
// pixel in a test: white pixels whose alpha is set, written as 32-bit TGA.
#include <functional>
#include <string>
#include <vector>

namespace test {

class FontImage {
 public:
  FontImage(unsigned width, unsigned height);
  // Row 0 is the top row.
  void Set(unsigned x, unsigned row, unsigned char alpha);
  // Columns x0..x1 - 1 of rows row0..row1 - 1.
  void Fill(unsigned x0, unsigned row0, unsigned x1, unsigned row1, unsigned char alpha = 255);
  unsigned Width() const { return m_width; }
  unsigned Height() const { return m_height; }
  // The B, G, R, A pixels bottom row first, as a TGA file holds them.
  std::vector<unsigned char> FilePixels() const;
  // An uncompressed 32-bit TGA with idBytes bytes of image id.
  std::string Tga(unsigned idBytes = 0) const;

 private:
  unsigned m_width, m_height;
  std::vector<unsigned char> m_alpha;  // top row first
};

// A font of all 92 characters, each a solid block widthOf(ch) columns wide
// and kBlockHeight rows tall, in bands separated by empty rows. The baseline
// is the row below the blocks (marked in column 0), so text drawn at y has
// its blocks' bottom row on row y.
constexpr unsigned kBlockHeight = 8;
FontImage BlockFont(const std::function<unsigned(char)>& widthOf, unsigned imageWidth = 256);

}  // namespace test
