#include "basalt/graphics/material_manager_gl.h"

#include "basalt/graphics/material_gl.h"
#include "basalt/graphics/shader_gl.h"
#include "basalt/graphics/texture_gl.h"

namespace Basalt {

MaterialManagerGL* g_pMaterialManagerGL = nullptr;

MaterialManagerGL::~MaterialManagerGL() { Shutdown(); }

ITexture* MaterialManagerGL::NewTexture(const char* name) {
  return Register(std::make_unique<TextureGL>(name), name);
}

IMaterial* MaterialManagerGL::NewMaterial(const char* name) {
  return Register(std::make_unique<MaterialGL>(name), name);
}

IShader* MaterialManagerGL::NewShader(const char* name) { return Register(std::make_unique<ShaderGL>(name), name); }

}  // namespace Basalt
