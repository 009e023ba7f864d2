#include "basalt/graphics/gl/shader_gl.h"

#include <epoxy/gl.h>

#include <string>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/gl/graphics_device_gl.h"

namespace Basalt {

bool ShaderGL::Compile(const char* text, unsigned length) {
  if (g_noShaders) return true;
  std::string stage, errors;
  if (!m_program.Build(text, length, &stage, &errors)) {
    LogMessage("Shader compile error \"%s\": %s: %s", m_name, stage.c_str(), errors.c_str());
    return false;
  }
  m_matWorldViewProj = m_program.Uniform("matWorldViewProj");
  m_lightPos = m_program.Uniform("lightPos");
  m_glowColor = m_program.Uniform("glowColor");
  m_viewPos = m_program.Uniform("viewPos");
  return true;
}

bool ShaderGL::Activate() {
  if (!CurrentDeviceGL()) return false;
  CurrentDeviceGL()->UseProgram(m_program.Name());  // a shader that failed to build draws fixed-function
  return true;
}

void ShaderGL::UpdateParms(const ShaderParms& parms) {
  if (!m_program.Name() || !CurrentDeviceGL()) return;
  CurrentDeviceGL()->UseProgram(m_program.Name());
  const mat4 clip = CurrentDeviceGL()->GetClipTransform();
  glUniformMatrix4fv(m_matWorldViewProj, 1, GL_FALSE, &clip.m[0][0]);
  mat4 lights = {};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) lights.m[i][j] = parms.lightPos[i * 3 + j];
  glUniformMatrix4fv(m_lightPos, 1, GL_FALSE, &lights.m[0][0]);
  glUniform4fv(m_glowColor, 1, parms.glowColor);
  const mat4& view = CurrentDeviceGL()->GetViewMatrix();
  glUniform4f(m_viewPos, -view.m[3][0], -view.m[3][1], -view.m[3][2], view.m[3][3]);
}

void ShaderGL::Release() {
  if (m_program.Name() && CurrentDeviceGL()) CurrentDeviceGL()->ForgetProgram(m_program.Name());
  m_program.Release();
  m_matWorldViewProj = m_lightPos = m_glowColor = m_viewPos = -1;
}

}  // namespace Basalt
