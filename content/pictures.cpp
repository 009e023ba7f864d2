#include "content/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace content {

namespace {

// Signed distance from (x, y) to a rounded box filling [0, size) with corner radius r.
double RoundedBoxDistance(double x, double y, double size, double r) {
  const double half = size / 2.0;
  const double qx = std::fabs(x - half) - (half - r), qy = std::fabs(y - half) - (half - r);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - r;
}

// One skin cell: a filled rounded box with a soft top-lit shade and a darker
// rim; outline draws only the rim band (the second skin).
void PaintSkin(Image* image, int left, bool outline) {
  const double size = 30.0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const double d = RoundedBoxDistance(x + 0.5, y + 0.5, size, 8.0);
      const double coverage = std::clamp(0.5 - d, 0.0, 1.0);
      const double rim = std::clamp(1.0 - std::fabs(d + 1.5) / 1.5, 0.0, 1.0);
      const double shade = 1.0 - 0.25 * (y / size);
      const double light = outline ? 1.0 : shade * (1.0 - 0.3 * rim);
      const double alpha = outline ? coverage * std::max(rim, 0.15) : coverage * 0.92;
      image->At(left + x, y) = {ToByte(light), ToByte(light), ToByte(light), ToByte(alpha)};
    }
  }
}

// Deterministic per-pixel grain for surfaces, in 0..1.
double Grain(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

Image Solid(double r, double g, double b) { return Image(8, 8, {ToByte(r), ToByte(g), ToByte(b), 255}); }

// A coated drum head: off-white with a faint texture and a darker centre dot.
Image DrumHead() {
  Image image(256, 256);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const double dx = (x - 127.5) / 127.5, dy = (y - 127.5) / 127.5, r = std::hypot(dx, dy);
      double v = 0.9 + 0.05 * Grain(x, y, 1) - 0.05 * r * r;
      if (r < 0.22) v -= 0.12 * (1.0 - r / 0.22);
      image.At(x, y) = {ToByte(v), ToByte(v * 0.99), ToByte(v * 0.96), 255};
    }
  }
  return image;
}

// Lacquered wood: deep wine red with a vertical grain.
Image Shell() {
  Image image(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const double grain = 0.85 + 0.15 * std::sin(x * 0.35 + 3.0 * Grain(x / 8, 0, 2)) + 0.05 * Grain(x, y, 3);
      image.At(x, y) = {ToByte(0.42 * grain), ToByte(0.07 * grain), ToByte(0.1 * grain), 255};
    }
  return image;
}

// Brass with lathe rings.
Image Brass() {
  Image image(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const double r = std::hypot(x - 127.5, y - 127.5);
      const double v = 0.75 + 0.12 * std::sin(r * 1.7) + 0.08 * Grain(static_cast<int>(r), 0, 4);
      image.At(x, y) = {ToByte(0.95 * v), ToByte(0.75 * v), ToByte(0.35 * v), 255};
    }
  return image;
}

// Brushed steel.
Image Chrome() {
  Image image(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const double v = 0.72 + 0.18 * Grain(0, y, 5) + 0.05 * Grain(x, y, 6);
      image.At(x, y) = {ToByte(v), ToByte(v), ToByte(v * 1.03), 255};
    }
  return image;
}

// The bass drum's front head: dark with a light ring.
Image BassHead() {
  Image image(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const double r = std::hypot(x - 127.5, y - 127.5) / 127.5;
      const double ring = std::fabs(r - 0.7) < 0.03 ? 0.8 : 0.12 + 0.04 * Grain(x, y, 7);
      image.At(x, y) = {ToByte(ring), ToByte(ring), ToByte(ring), 255};
    }
  return image;
}

}  // namespace

Image PaintGuiSkin() {
  Image image(64, 32);
  PaintSkin(&image, 0, false);
  PaintSkin(&image, 30, true);
  return image;
}

Image PaintStar() {
  Image image(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double r = std::hypot(x - 15.5, y - 15.5) / 15.5;
      image.At(x, y) = {255, 255, 255, ToByte(std::pow(std::max(0.0, 1.0 - r), 2.5))};
    }
  return image;
}

std::vector<NamedPicture> PaintTextures() {
  return {
      {"drumhead.tga", DrumHead()},
      {"shell.tga", Shell()},
      {"brass.tga", Brass()},
      {"chrome.tga", Chrome()},
      {"basshead.tga", BassHead()},
      {"white.tga", Solid(1.0, 1.0, 1.0)},
      {"red.tga", Solid(0.85, 0.1, 0.08)},
      {"yellow.tga", Solid(0.95, 0.8, 0.1)},
      {"blue.tga", Solid(0.1, 0.35, 0.9)},
      {"green.tga", Solid(0.1, 0.7, 0.2)},
      {"orange.tga", Solid(0.95, 0.5, 0.08)},
  };
}

}  // namespace content
