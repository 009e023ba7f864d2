// The device within a frame: it keeps the context's render states, vertex
// layout, buffers, textures and program as it last set them, so a call that
// asks for what is already bound touches no GL state, and it issues the draw
// calls, falling back to its built-in programs when no shader is in use.
#include <epoxy/gl.h>

#include <algorithm>

#include "basalt/graphics/colour.h"
#include "basalt/graphics/gl/graphics_device_gl.h"

namespace Basalt {

namespace {

// The sampler wrap mode of a texture-address render state; 0 for an unknown one.
GLint AddressMode(unsigned value) {
  switch (value) {
    case 1:
      return GL_REPEAT;
    case 2:
      return GL_CLAMP_TO_EDGE;
    case 3:
      return GL_MIRRORED_REPEAT;
    case 4:
      return GL_CLAMP_TO_BORDER;
    default:
      return 0;
  }
}

}  // namespace

void GraphicsDeviceGL::SetVertType(VertexType type) {
  if (type == VTYPE_NONE || type >= kNumVertexTypes || type == m_vertType || !m_declarations[type]) return;
  glBindVertexArray(m_declarations[type]);
  m_vertType = type;
}

void GraphicsDeviceGL::SetRenderState(RenderStateSetting setting, unsigned value, bool force) {
  if (setting < RS_ALPHA_BLEND || setting > RS_DEPTH_WRITE) return;
  if (!force && m_renderStates[setting] == value) return;
  ApplyRenderState(setting, value);
  m_renderStates[setting] = value;
}

void GraphicsDeviceGL::ApplyRenderState(RenderStateSetting setting, unsigned value) {
  switch (setting) {
    case RS_ALPHA_BLEND:
      if (value)
        glEnable(GL_BLEND);
      else
        glDisable(GL_BLEND);
      break;
    case RS_TEXTURE_ADDRESS:
      if (AddressMode(value) && m_samplers[0]) {
        glSamplerParameteri(m_samplers[0], GL_TEXTURE_WRAP_S, AddressMode(value));
        glSamplerParameteri(m_samplers[0], GL_TEXTURE_WRAP_T, AddressMode(value));
      }
      break;
    case RS_DEPTH_WRITE:
      glDepthMask(value ? GL_TRUE : GL_FALSE);
      break;
  }
}

unsigned GraphicsDeviceGL::GetRenderState(RenderStateSetting setting, bool fromDevice) {
  if (setting < RS_ALPHA_BLEND || setting > RS_DEPTH_WRITE) return 0;
  if (!fromDevice) return m_renderStates[setting];
  if (setting != RS_ALPHA_BLEND) return 0;
  m_renderStates[setting] = glIsEnabled(GL_BLEND) == GL_TRUE ? 1 : 0;
  return m_renderStates[setting];
}

void GraphicsDeviceGL::RestoreRenderStates() {
  for (unsigned s = RS_ALPHA_BLEND; s <= RS_DEPTH_WRITE; ++s) {
    const auto setting = static_cast<RenderStateSetting>(s);
    const unsigned cached = m_renderStates[s];
    if (cached != GetRenderState(setting, true)) SetRenderState(setting, cached, true);
  }
}

void GraphicsDeviceGL::SetPerspectiveProj(float farPlane) {
  m_projection = mat4::PerspectiveFovLH(kFieldOfView, m_ratio, kNearPlane, farPlane);
}

void GraphicsDeviceGL::SetOrthoProj() {
  m_projection = mat4::OrthoOffCenterLH(0.0f, static_cast<float>(m_width) - 1.0f, static_cast<float>(m_height) - 1.0f,
                                        0.0f, 0.0f, 1.0f);
  m_world = m_view = mat4::Identity();
}

mat4 GraphicsDeviceGL::GetClipTransform() const { return ToGLClipSpace(m_world * m_view * m_projection); }

bool GraphicsDeviceGL::SetStreamSource(unsigned buffer, unsigned stride) {
  const VertexLayout* layout = GetVertexLayout(m_vertType);
  if (!layout || !buffer) return false;
  if (m_streamSources[m_vertType] == buffer) return true;
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  for (unsigned e = 0; e < layout->numElements; ++e) {
    const VertexElement& element = layout->elements[e];
    const void* offset = reinterpret_cast<const void*>(static_cast<uintptr_t>(element.offset));
    if (element.packedColour)
      glVertexAttribPointer(element.attribute, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, static_cast<GLsizei>(stride),
                            offset);
    else
      glVertexAttribPointer(element.attribute, static_cast<GLint>(element.components), GL_FLOAT, GL_FALSE,
                            static_cast<GLsizei>(stride), offset);
  }
  m_streamSources[m_vertType] = buffer;
  return true;
}

// A deleted buffer's name may come back for a new buffer: no declaration may
// take it for the one it still reads.
void GraphicsDeviceGL::ForgetBuffer(unsigned buffer) {
  for (unsigned& source : m_streamSources)
    if (source == buffer) source = 0;
  if (m_indices == buffer) m_indices = 0;
}

bool GraphicsDeviceGL::BindTexture(unsigned stage, unsigned texture) {
  if (stage >= kNumStages) return false;
  if (m_textures[stage] == texture) return true;
  glActiveTexture(GL_TEXTURE0 + stage);
  glBindTexture(GL_TEXTURE_2D, texture);
  m_textures[stage] = texture;
  return true;
}

void GraphicsDeviceGL::ForgetTexture(unsigned texture) {
  for (unsigned& bound : m_textures)
    if (bound == texture) bound = 0;
}

void GraphicsDeviceGL::ForgetTextureBinding(unsigned stage) {
  if (stage < kNumStages) m_textures[stage] = ~0u;
}

void GraphicsDeviceGL::UseProgram(unsigned program) {
  m_program = program;
  if (program) BindProgram(program);
}

void GraphicsDeviceGL::ForgetProgram(unsigned program) {
  if (m_program == program) m_program = 0;
  if (m_glProgram == program) m_glProgram = 0;
}

void GraphicsDeviceGL::BindProgram(unsigned program) {
  if (program == m_glProgram) return;
  glUseProgram(program);
  m_glProgram = program;
}

void GraphicsDeviceGL::SetMaterialColour(const float rgba[4]) { std::copy(rgba, rgba + 4, m_materialColour); }

void GraphicsDeviceGL::PrepareFixedFunction() {
  BindProgram(m_fixedFunction.Name());
  const mat4 clip = GetClipTransform();
  glUniformMatrix4fv(m_fixedUniforms.clip, 1, GL_FALSE, &clip.m[0][0]);
  glUniform1i(m_fixedUniforms.lighting, m_lighting ? 1 : 0);
  glUniform4fv(m_fixedUniforms.material, 1, m_materialColour);
  glUniform4f(m_fixedUniforms.ambient, ColourChannel(kAmbientColor, 16), ColourChannel(kAmbientColor, 8),
              ColourChannel(kAmbientColor, 0), ColourChannel(kAmbientColor, 24));
  glUniform1i(m_fixedUniforms.hasTexture, HasTexture(0) ? 1 : 0);
}

void GraphicsDeviceGL::PreparePointSprites() {
  BindProgram(m_pointSprites.Name());
  const mat4 clip = GetClipTransform();
  const mat4 worldView = m_world * m_view;
  glUniformMatrix4fv(m_pointUniforms.clip, 1, GL_FALSE, &clip.m[0][0]);
  glUniformMatrix4fv(m_pointUniforms.worldView, 1, GL_FALSE, &worldView.m[0][0]);
  glUniform1f(m_pointUniforms.viewportHeight, static_cast<float>(m_height));
  glUniform1i(m_pointUniforms.hasTexture, HasTexture(0) ? 1 : 0);
}

void GraphicsDeviceGL::DrawIndexedTriangles(unsigned numVerts, unsigned numTriangles) {
  if (!m_indices || numVerts == 0 || numTriangles == 0) return;
  if (m_program)
    BindProgram(m_program);
  else
    PrepareFixedFunction();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices);
  glDrawRangeElements(GL_TRIANGLES, 0, numVerts - 1, static_cast<GLsizei>(numTriangles * 3), GL_UNSIGNED_SHORT,
                      nullptr);
}

void GraphicsDeviceGL::DrawPoints(unsigned count) {
  if (count == 0) return;
  if (m_program)
    BindProgram(m_program);
  else
    PreparePointSprites();
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(count));
}

}  // namespace Basalt
