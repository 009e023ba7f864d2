#include "content/image.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace content {

Image::Image(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

std::vector<uint8_t> Image::EncodeTga() const {
  std::vector<uint8_t> bytes(18, 0);
  bytes[2] = 2;  // uncompressed true colour
  bytes[12] = static_cast<uint8_t>(m_width & 0xFF);
  bytes[13] = static_cast<uint8_t>(m_width >> 8);
  bytes[14] = static_cast<uint8_t>(m_height & 0xFF);
  bytes[15] = static_cast<uint8_t>(m_height >> 8);
  bytes[16] = 32;
  bytes[17] = 8;  // 8 alpha bits, origin at the bottom left
  bytes.reserve(bytes.size() + m_pixels.size() * 4);
  for (int y = m_height - 1; y >= 0; --y) {
    for (int x = 0; x < m_width; ++x) {
      const Rgba& p = At(x, y);
      bytes.insert(bytes.end(), {p.b, p.g, p.r, p.a});
    }
  }
  return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path target(path);
  std::error_code ec;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (out.good()) return true;
  std::fprintf(stderr, "contentgen: cannot write %s\n", path.c_str());
  return false;
}

bool WriteText(const std::string& path, const std::string& text) {
  return WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5); }

}  // namespace content
