// How a font image is read. Glyphs stand in horizontal bands separated by at
// least one fully transparent row, and within a band by at least one fully
// transparent column. Column 0 is kept for baseline markers and the last
// column is never part of a glyph.
//
// The row pass walks down the image. A row belongs to a band when it has
// pixels with alpha above 50 (column 0 counts through a marker in the row
// above). The first row of a band starts it; in a later row, a marker pixel
// (any alpha) in column 0 of the row above makes that row the band's
// baseline. The first empty row ends the band; a band still open at the
// bottom is dropped. A band without a marker keeps the baseline from before:
// row 0 for the first band, -1 after any band.
//
// The column pass walks each band from column 1 to the last but one: a column
// with any alpha in the band's rows opens a glyph, the next column without
// closes it, and the glyph goes to the next character of the order. A glyph
// still open at the last scanned column is dropped; the scan stops after 92.
#include "basalt/gui/glyph_scan.h"

#include <cstring>
#include <vector>

namespace Basalt {

const char kFontCharacterOrder[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890:;\"'-=!@#$%^&*()_+[]{}<>,.?/\\|";
static_assert(sizeof(kFontCharacterOrder) == kFontGlyphCount + 1, "92 characters");

namespace {

constexpr unsigned kBytesPerPixel = 4;
constexpr unsigned char kInkThreshold = 50;
constexpr unsigned char kAnyAlpha = 0;

struct Band {
  int start, end, offset;
};

// Top-down access to the bottom-up pixels.
class FontImage {
 public:
  FontImage(const unsigned char* pixels, unsigned width, unsigned height)
      : m_pixels(pixels), m_width(width), m_height(height) {}
  // The alpha byte of pixel (x, row), row 0 at the top.
  const unsigned char* Alpha(unsigned x, unsigned row) const {
    return m_pixels + (static_cast<size_t>(m_height - 1 - row) * m_width + x) * kBytesPerPixel + 3;
  }
  // Byte distance from a pixel to the one below it.
  int RowStride() const { return -static_cast<int>(m_width * kBytesPerPixel); }

 private:
  const unsigned char* m_pixels;
  unsigned m_width, m_height;
};

// How many of length pixels, starting at alpha, have alpha above threshold.
unsigned PixelsInRow(const unsigned char* alpha, unsigned length, unsigned char threshold) {
  unsigned count = 0;
  for (unsigned i = 0; i < length; ++i, alpha += kBytesPerPixel) count += *alpha > threshold ? 1 : 0;
  return count;
}

// True when none of count pixels down from alpha has alpha above threshold.
bool IsColumnBlank(const unsigned char* alpha, int stride, int count, unsigned char threshold) {
  for (int i = 0; i < count; ++i, alpha += stride)
    if (*alpha > threshold) return false;
  return true;
}

std::vector<Band> FindBands(const FontImage& image, unsigned width, unsigned height) {
  std::vector<Band> bands;
  int start = -1, baseline = 0;
  for (unsigned row = 0; row < height; ++row) {
    const unsigned char above = row > 0 ? *image.Alpha(0, row - 1) : 0;
    const unsigned ink = PixelsInRow(image.Alpha(1, row), width - 1, kInkThreshold) + (above > kInkThreshold);
    const int r = static_cast<int>(row);
    if (ink > 0) {
      if (start == -1)
        start = r;
      else if (above > kAnyAlpha)
        baseline = r;
    } else if (start >= 0) {
      bands.push_back({start, r, baseline - start});
      start = baseline = -1;
    }
  }
  return bands;
}

}  // namespace

void ScanGlyphs(const unsigned char* pixels, unsigned width, unsigned height, FontGlyphs* out) {
  std::memset(out, 0, sizeof *out);
  if (!pixels || width < 2 || height == 0) return;
  const FontImage image(pixels, width, height);
  unsigned widthSum = 0, n = 0;
  for (const Band& band : FindBands(image, width, height)) {
    int open = -1;
    for (unsigned x = 1; x + 1 < width && n < kFontGlyphCount; ++x) {
      const bool inked = !IsColumnBlank(image.Alpha(x, static_cast<unsigned>(band.start)), image.RowStride(),
                                        band.end - band.start, kAnyAlpha);
      const int column = static_cast<int>(x);
      if (inked && open == -1) {
        open = column;
      } else if (!inked && open != -1) {
        const auto ch = static_cast<unsigned char>(kFontCharacterOrder[n]);
        out->boxes[ch] = {open, band.start - 1, column, band.end + 1};
        out->offsets[ch] = -band.offset;
        widthSum += static_cast<unsigned>(column - open);
        ++n;
        open = -1;
      }
    }
    if (n >= kFontGlyphCount) break;
  }
  out->numGlyphs = n;
  out->spaceWidth = n ? widthSum / n / 2 : 0;
}

}  // namespace Basalt
