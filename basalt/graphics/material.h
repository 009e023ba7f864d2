#pragma once
// A material: up to eight texture stages and a shader, all owned by the
// material manager, which also owns the material (NewMaterial). Meshes and
// the program hold plain pointers, valid until the manager shuts down.
#include "basalt/graphics/shader.h"

namespace Basalt {

class ITexture;

class IMaterial {
 public:
  static constexpr unsigned kNameCapacity = 64;
  static constexpr unsigned kNumStages = 8;

  explicit IMaterial(const char* name);
  virtual ~IMaterial() = default;
  IMaterial(const IMaterial&) = delete;
  IMaterial& operator=(const IMaterial&) = delete;

  virtual void SetTexture(unsigned stage, ITexture* texture) = 0;
  virtual void SetShader(IShader* shader) = 0;
  virtual bool Update() { return true; }
  // Binds the textures (a stage without one is cleared) and the shader.
  virtual bool Activate() = 0;
  virtual void SetAlpha(bool alpha) = 0;
  // Hands the parameters to the shader.
  virtual void SetShaderParms(const IShader::ShaderParms& parms) = 0;

  const char* GetName() const { return m_name; }

 protected:
  char m_name[kNameCapacity] = {};
};

}  // namespace Basalt
