#pragma once
// The pictures of the game directory, painted procedurally.
#include <string>
#include <vector>

#include "content/image.h"

namespace content {

// Two 30 x 30 nine-slice button skins side by side (skin 0 at x 0, skin 1 at
// x 30): light boxes with rounded corners that take the widget's tint.
Image PaintGuiSkin();
// A soft round point for the star field.
Image PaintStar();

struct NamedPicture {
  std::string name;  // file name under Textures/
  Image picture;
};
// The textures the materials name.
std::vector<NamedPicture> PaintTextures();

}  // namespace content
