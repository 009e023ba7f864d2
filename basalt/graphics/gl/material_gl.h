#pragma once
#include "basalt/graphics/material.h"

namespace Basalt {

class MaterialGL : public IMaterial {
 public:
  using IMaterial::IMaterial;

  void SetTexture(unsigned stage, ITexture* texture) override;
  void SetShader(IShader* shader) override { m_shader = shader; }
  // With g_noShaders only the textures are bound.
  bool Activate() override;
  void SetAlpha(bool alpha) override { m_alpha = alpha; }
  void SetShaderParms(const IShader::ShaderParms& parms) override;

  ITexture* GetTexture(unsigned stage) const { return stage < kNumStages ? m_textures[stage] : nullptr; }
  IShader* GetShader() const { return m_shader; }
  bool GetAlpha() const { return m_alpha; }

 private:
  ITexture* m_textures[kNumStages] = {};
  IShader* m_shader = nullptr;
  bool m_alpha = true;
};

}  // namespace Basalt
