#include "basalt/graphics/gl/material_manager_gl.h"

#include "basalt/graphics/gl/material_gl.h"
#include "basalt/graphics/gl/shader_gl.h"
#include "basalt/graphics/gl/texture_gl.h"

namespace Basalt {

MaterialManagerGL::~MaterialManagerGL() { Shutdown(); }

ITexture* MaterialManagerGL::NewTexture(const char* name) {
  return Register(std::make_unique<TextureGL>(name), name);
}

IMaterial* MaterialManagerGL::NewMaterial(const char* name) {
  return Register(std::make_unique<MaterialGL>(name), name);
}

IShader* MaterialManagerGL::NewShader(const char* name) { return Register(std::make_unique<ShaderGL>(name), name); }

}  // namespace Basalt
