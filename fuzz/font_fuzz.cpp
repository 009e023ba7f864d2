// A font image, loaded by the font manager: the TGA header checks, the
// texture made of its pixels and the glyph scan.
#include <cstddef>
#include <cstdint>

#include "basalt/gui/font_manager.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ScratchFile file(data, size);
  Basalt::FontManager fonts;
  fonts.LoadFont(file.Path());
  return 0;
}
