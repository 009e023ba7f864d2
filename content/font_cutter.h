#pragma once
#include <string>

#include "content/image.h"

namespace content {

// The 92 characters a font image holds, in the order the engine's scanner
// gives the glyphs it finds to characters.
extern const char kFontCharacterOrder[];

// Cuts a bitmap font image from a TrueType file with FreeType: one glyph
// cell per character of kFontCharacterOrder, laid out in horizontal bands.
// pixelSize is the em size in pixels. False (with a message) when FreeType
// cannot read the face.
bool CutFont(const std::string& ttfPath, int pixelSize, Image* out);

}  // namespace content
