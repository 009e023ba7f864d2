#pragma once
#include <string>

namespace content {

// "materials.txt": the drum set's shader and materials, shader block first.
std::string MaterialFileText();
// "default.shd": the GLSL source of the lit, slightly glossy surface shader.
std::string DefaultShaderText();

}  // namespace content
