#pragma once
// Finds the glyphs of a font image (see glyph_scan.cpp for the layout an
// artist follows) and gives them to the characters of kFontCharacterOrder.
#include "basalt/graphics/graphics_device.h"

namespace Basalt {

// The 92 characters of a font image: the n-th glyph found is the n-th of these.
extern const char kFontCharacterOrder[];
constexpr unsigned kFontGlyphCount = 92;
constexpr unsigned kFontCharacterCodes = 256;

// What the scan finds, by character code. Codes without a glyph (the space
// among them) have an empty box and offset 0.
struct FontGlyphs {
  // In image pixels, top row 0; the box starts one row above its band and
  // ends one row below it.
  TextureRect boxes[kFontCharacterCodes];
  // Added to a text's y to place the box: the band's first row minus its
  // baseline row, so the baseline row lands one pixel below y.
  int offsets[kFontCharacterCodes];
  unsigned numGlyphs;
  unsigned spaceWidth;  // half the mean glyph width
};

// pixels: width x height pixels of B, G, R, A bytes as a TGA file stores
// them, bottom row first.
void ScanGlyphs(const unsigned char* pixels, unsigned width, unsigned height, FontGlyphs* out);

}  // namespace Basalt
