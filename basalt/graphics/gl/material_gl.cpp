#include "basalt/graphics/gl/material_gl.h"

#include <cstring>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/texture.h"

namespace Basalt {

IMaterial::IMaterial(const char* name) { std::strncpy(m_name, name ? name : "", kNameCapacity - 1); }

void MaterialGL::SetTexture(unsigned stage, ITexture* texture) {
  if (stage < kNumStages) m_textures[stage] = texture;
}

bool MaterialGL::Activate() {
  for (unsigned stage = 0; stage < kNumStages; ++stage) {
    if (!m_textures[stage]) {
      if (CurrentDeviceGL()) CurrentDeviceGL()->ClearTexture(stage);
    } else if (!m_textures[stage]->Activate(stage)) {
      return false;
    }
  }
  if (g_noShaders) return true;
  return !m_shader || m_shader->Activate();
}

void MaterialGL::SetShaderParms(const IShader::ShaderParms& parms) {
  if (m_shader) m_shader->UpdateParms(parms);
}

}  // namespace Basalt
