#pragma once
// SpriteBatch draws textured, colour-modulated quads in pixel coordinates
// (origin top-left, y down, z is the depth 0..1) for the 2D pass. Quads are
// collected between Begin and End and drawn in call order; consecutive quads
// of one texture share a draw call, a change of texture (or a full batch)
// draws what was collected. Begin turns alpha blending on and binds the
// batch's own sampler to texture unit 0, and End restores the blending, the
// sampler and the program that were active before. The 2D pass samples a
// texture's full-size image with plain bilinear filtering whatever
// g_textureFilterMode asks of the 3D scene: mip levels and anisotropy blur
// small text into its neighbouring glyphs. Owned by the graphics device; main
// thread only.
#include <vector>

#include "basalt/graphics/gl/gl_program.h"
#include "basalt/graphics/gl/index_buffer_gl.h"
#include "basalt/graphics/gl/vertex_buffer_gl.h"
#include "basalt/graphics/graphics_device.h"

namespace Basalt {

class SpriteBatch {
 public:
  static constexpr unsigned kMaxQuads = 1024;

  bool Initialize();
  void Release();

  void Begin();
  // rect of texture (or of nothing: plain colour), scaled about its top-left
  // corner, which lands at position. False outside Begin/End.
  bool Draw(const TextureRect& rect, const vec3f& position, unsigned colour, ITexture* texture, float scaleX,
            float scaleY);
  void End();
  bool IsDrawing() const { return m_drawing; }

 private:
  struct Vertex {
    float x, y, z;
    float u, v;
    float r, g, b, a;
  };
  void Flush();

  GLProgram m_program;
  int m_clipUniform = -1;
  int m_hasTextureUniform = -1;
  VertexBufferGL m_vertices;
  IndexBufferGL m_indices;
  std::vector<Vertex> m_quads;
  ITexture* m_texture = nullptr;
  bool m_drawing = false;
  bool m_savedBlend = false;
  unsigned m_savedProgram = 0;
  unsigned m_sampler = 0;
  int m_savedSampler = 0;
};

}  // namespace Basalt
