// How a font image is laid out, so that the engine's glyph scanner finds
// every glyph and its baseline:
// - Glyphs stand in bands of rows; bands are separated by a fully
//   transparent row. The scanner finds a band from rows with some alpha above
//   50, so the last column of the image (which it never takes into a glyph)
//   is painted opaque down every row of a band: a band never splits between,
//   say, the two bars of '='.
// - Within a band, each character owns a cell followed by a transparent
//   column. The scanner takes a glyph's box from the columns with any alpha
//   at all, so every column of a cell carries alpha 1 (invisible) on the
//   band's top row: the box is the whole cell, and the pen advances by the
//   cell width + 1, which we make the font's own advance.
// - Column 0 holds the baseline marker: one opaque pixel on the row just
//   above the baseline.
#include "content/font_cutter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace content {

const char kFontCharacterOrder[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890:;\"'-=!@#$%^&*()_+[]{}<>,.?/\\|";

namespace {

struct Glyph {
  std::vector<uint8_t> coverage;  // rows x columns, top row first
  int columns = 0, rows = 0;
  int left = 0, top = 0;  // bitmap offset from the pen position and the baseline
  int cellLeft = 0, cellWidth = 1;
};

bool RenderGlyphs(FT_Face face, std::vector<Glyph>* glyphs) {
  for (const char* c = kFontCharacterOrder; *c; ++c) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(static_cast<unsigned char>(*c)),
                     FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
      return false;
    const FT_GlyphSlot slot = face->glyph;
    Glyph glyph;
    glyph.columns = static_cast<int>(slot->bitmap.width);
    glyph.rows = static_cast<int>(slot->bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    for (int y = 0; y < glyph.rows; ++y) {
      const uint8_t* row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
      glyph.coverage.insert(glyph.coverage.end(), row, row + glyph.columns);
    }
    const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.cellLeft = std::min(0, glyph.left);
    const int cellRight = std::max(advance - 1, glyph.left + glyph.columns);
    glyph.cellWidth = std::max(1, cellRight - glyph.cellLeft);
    glyphs->push_back(std::move(glyph));
  }
  return true;
}

// Cell positions: x of each cell and band index, for an image width.
struct Placement {
  std::vector<int> x, band;
  int bands = 0;
};

Placement Place(const std::vector<Glyph>& glyphs, int width) {
  Placement placement;
  int x = 1;
  int band = 0;
  for (const Glyph& glyph : glyphs) {
    // The cell, its gap column and the scanner's two excluded columns must fit.
    if (x + glyph.cellWidth + 1 > width - 2) {
      x = 1;
      ++band;
    }
    placement.x.push_back(x);
    placement.band.push_back(band);
    x += glyph.cellWidth + 1;
  }
  placement.bands = band + 1;
  return placement;
}

void PaintFont(const std::vector<Glyph>& glyphs, const Placement& placement, int ascent, int bandHeight, Image* image) {
  const int width = image->Width();
  for (int band = 0; band < placement.bands; ++band) {
    const int top = 1 + band * (bandHeight + 1);
    for (int r = top; r < top + bandHeight; ++r) image->At(width - 1, r).a = 255;
    image->At(0, top + ascent - 1).a = 255;
  }
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& glyph = glyphs[i];
    const int top = 1 + placement.band[i] * (bandHeight + 1);
    const int baseline = top + ascent;
    const int penX = placement.x[i] - glyph.cellLeft;
    for (int y = 0; y < glyph.rows; ++y) {
      for (int x = 0; x < glyph.columns; ++x) {
        const int px = penX + glyph.left + x, py = baseline - glyph.top + y;
        image->At(px, py).a = glyph.coverage[static_cast<size_t>(y) * glyph.columns + x];
      }
    }
    for (int x = 0; x < glyph.cellWidth; ++x) {
      uint8_t& alpha = image->At(placement.x[i] + x, top).a;
      alpha = std::max<uint8_t>(alpha, 1);
    }
  }
}

}  // namespace

bool CutFont(const std::string& ttfPath, int pixelSize, Image* out) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::vector<Glyph> glyphs;
  bool ok = FT_Init_FreeType(&library) == 0 && FT_New_Face(library, ttfPath.c_str(), 0, &face) == 0 &&
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0 && RenderGlyphs(face, &glyphs);
  if (face) FT_Done_Face(face);
  if (library) FT_Done_FreeType(library);
  if (!ok) {
    std::fprintf(stderr, "contentgen: FreeType cannot render %s\n", ttfPath.c_str());
    return false;
  }
  int ascent = 1, descent = 1;
  for (const Glyph& glyph : glyphs) {
    ascent = std::max(ascent, glyph.top + 1);  // one row above the tallest glyph for the cell filler
    descent = std::max(descent, glyph.rows - glyph.top);
  }
  const int bandHeight = ascent + descent;
  const int width = pixelSize <= 16 ? 256 : pixelSize <= 32 ? 512 : 1024;
  const Placement placement = Place(glyphs, width);
  *out = Image(width, 1 + placement.bands * (bandHeight + 1), Rgba{255, 255, 255, 0});
  PaintFont(glyphs, placement, ascent, bandHeight, out);
  return true;
}

}  // namespace content
