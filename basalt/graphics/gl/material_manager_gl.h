#pragma once
#include "basalt/graphics/material_manager.h"

namespace Basalt {

// Makes TextureGL, MaterialGL and ShaderGL objects. Shut down before the
// graphics device: its textures and shaders live on the device's context.
class MaterialManagerGL : public MaterialManager {
 public:
  ~MaterialManagerGL() override;
  ITexture* NewTexture(const char* name) override;
  IMaterial* NewMaterial(const char* name) override;
  IShader* NewShader(const char* name) override;
};

}  // namespace Basalt
