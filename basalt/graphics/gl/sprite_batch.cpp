#include "basalt/graphics/gl/sprite_batch.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <cstring>

#include "basalt/graphics/colour.h"
#include "basalt/graphics/gl/builtin_shaders.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/texture.h"

namespace Basalt {

namespace {

// The sampler bound to texture unit 0 (the binding belongs to the active unit).
GLint SamplerOfUnitZero() {
  GLint active = GL_TEXTURE0, sampler = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
  glActiveTexture(static_cast<GLenum>(active));
  return sampler;
}

}  // namespace

bool SpriteBatch::Initialize() {
  std::string stage, errors;
  if (!m_program.Build(kSpriteShader, static_cast<unsigned>(std::strlen(kSpriteShader)), &stage, &errors)) return false;
  m_clipUniform = m_program.Uniform("uClip");
  m_hasTextureUniform = m_program.Uniform("uHasTexture");
  std::vector<std::uint16_t> indices;
  indices.reserve(kMaxQuads * 6);
  for (unsigned quad = 0; quad < kMaxQuads; ++quad) {
    const auto first = static_cast<std::uint16_t>(quad * 4);
    for (unsigned corner : {0u, 1u, 2u, 2u, 1u, 3u}) indices.push_back(static_cast<std::uint16_t>(first + corner));
  }
  if (!m_vertices.Initialize(kMaxQuads * 4, sizeof(Vertex), VTYPE_ORTHO, kUsageDynamic) ||
      !m_indices.Initialize(kMaxQuads * 6, kUsageStatic) || !m_indices.Fill(indices.data(), 0, 0, 0)) {
    Release();
    return false;
  }
  m_quads.reserve(kMaxQuads * 4);
  glGenSamplers(1, &m_sampler);
  glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return true;
}

void SpriteBatch::Release() {
  m_vertices.Shutdown();
  m_indices.Shutdown();
  m_program.Release();
  if (m_sampler) glDeleteSamplers(1, &m_sampler);
  m_sampler = 0;
}

void SpriteBatch::Begin() {
  m_drawing = true;
  m_savedBlend = glIsEnabled(GL_BLEND) == GL_TRUE;
  m_savedProgram = CurrentDeviceGL()->GetProgram();
  m_savedSampler = SamplerOfUnitZero();
  glEnable(GL_BLEND);
  glBindSampler(0, m_sampler);
}

bool SpriteBatch::Draw(const TextureRect& rect, const vec3f& position, unsigned colour, ITexture* texture, float scaleX,
                       float scaleY) {
  if (!m_drawing || !m_program.Name()) return false;
  if (texture != m_texture || m_quads.size() == kMaxQuads * 4) Flush();
  m_texture = texture;
  const float width = static_cast<float>(rect.right - rect.left) * scaleX;
  const float height = static_cast<float>(rect.bottom - rect.top) * scaleY;
  const float texWidth = texture && texture->GetWidth() ? static_cast<float>(texture->GetWidth()) : 1.0f;
  const float texHeight = texture && texture->GetHeight() ? static_cast<float>(texture->GetHeight()) : 1.0f;
  const float u0 = static_cast<float>(rect.left) / texWidth, u1 = static_cast<float>(rect.right) / texWidth;
  const float v0 = static_cast<float>(rect.top) / texHeight, v1 = static_cast<float>(rect.bottom) / texHeight;
  const float r = ColourChannel(colour, 16), g = ColourChannel(colour, 8), b = ColourChannel(colour, 0),
              a = ColourChannel(colour, 24);
  const float x0 = position.x, y0 = position.y, x1 = x0 + width, y1 = y0 + height, z = position.z;
  m_quads.push_back({x0, y0, z, u0, v0, r, g, b, a});
  m_quads.push_back({x1, y0, z, u1, v0, r, g, b, a});
  m_quads.push_back({x0, y1, z, u0, v1, r, g, b, a});
  m_quads.push_back({x1, y1, z, u1, v1, r, g, b, a});
  return true;
}

void SpriteBatch::End() {
  Flush();
  if (!m_savedBlend) glDisable(GL_BLEND);
  glBindSampler(0, static_cast<GLuint>(m_savedSampler));
  CurrentDeviceGL()->UseProgram(m_savedProgram);
  m_texture = nullptr;
  m_drawing = false;
}

void SpriteBatch::Flush() {
  const auto numVerts = static_cast<unsigned>(m_quads.size());
  if (numVerts == 0) return;
  GraphicsDeviceGL* device = CurrentDeviceGL();
  if (m_texture)
    m_texture->Activate(0);
  else
    device->ClearTexture(0);
  m_vertices.Fill(m_quads.data(), numVerts, 0, kFillDiscard);
  m_vertices.Activate();
  m_indices.Activate();
  device->UseProgram(m_program.Name());
  const mat4 pixels = mat4::OrthoOffCenterLH(0.0f, static_cast<float>(device->GetScreenWidth()),
                                             static_cast<float>(device->GetScreenHeight()), 0.0f, 0.0f, 1.0f);
  const mat4 clip = ToGLClipSpace(pixels);
  glUniformMatrix4fv(m_clipUniform, 1, GL_FALSE, &clip.m[0][0]);
  glUniform1i(m_hasTextureUniform, device->HasTexture(0) ? 1 : 0);
  device->DrawIndexedTriangles(numVerts, numVerts / 2);
  m_quads.clear();
}

}  // namespace Basalt
