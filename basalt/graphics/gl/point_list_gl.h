#pragma once
// IPointList on an OpenGL vertex buffer, drawn with the device's point-sprite
// program. Main thread only.
#include "basalt/graphics/gl/vertex_buffer_gl.h"
#include "basalt/graphics/math3d.h"
#include "basalt/graphics/point_list.h"

namespace Basalt {

class PointListGL : public IPointList {
 public:
  PointListGL() = default;
  ~PointListGL() override { Shutdown(); }

  bool Fill(const VertexPoint* points, unsigned n) override;
  void Render(const mat4& world) override;
  void Shutdown();

  unsigned GetCount() const override { return m_count; }
  unsigned GetCapacity() const { return m_capacity; }

 private:
  VertexBufferGL m_buffer;
  unsigned m_count = 0;
  unsigned m_capacity = 0;
};

}  // namespace Basalt
