#pragma once
// A 32-bit RGBA picture in memory, top row first, and its TGA file form
// (uncompressed, B G R A bytes, rows stored bottom-up), the form the engine's
// font scanner and texture loader read.
#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct Rgba {
  uint8_t r, g, b, a;
};

class Image {
 public:
  Image(int width, int height, Rgba fill = {0, 0, 0, 0});

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  Rgba& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
  const Rgba& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

  // The TGA file bytes.
  std::vector<uint8_t> EncodeTga() const;

 private:
  int m_width;
  int m_height;
  std::vector<Rgba> m_pixels;
};

// Writes bytes to path, creating its directory; false (with a message on
// stderr) when the file cannot be written.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteText(const std::string& path, const std::string& text);

// Converts 0..1 to a byte, clamped.
uint8_t ToByte(double value);

}  // namespace content
