#pragma once
// A list of textured point sprites ("star.tga", which the material file must
// register) drawn over the scene without writing depth. The graphics device
// owns one, the star field, and draws it every frame; it stays empty until
// someone fills it. Main thread only.
#include "basalt/graphics/gl/vertex_buffer_gl.h"
#include "basalt/graphics/math3d.h"

namespace Basalt {

class PointListGL {
 public:
  static constexpr const char* kTextureName = "star.tga";

  // The flag changes nothing; callers pass false.
  explicit PointListGL(bool) {}
  ~PointListGL() { Shutdown(); }

  // Copies n points, growing the buffer when n exceeds its capacity.
  bool Fill(const VertexPoint* points, unsigned n);
  void Render(const mat4& world);
  void Shutdown();

  unsigned GetCount() const { return m_count; }
  unsigned GetCapacity() const { return m_capacity; }

 private:
  VertexBufferGL m_buffer;
  unsigned m_count = 0;
  unsigned m_capacity = 0;
};

}  // namespace Basalt
