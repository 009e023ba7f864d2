#pragma once
// A list of textured point sprites ("star.tga", which the material file must
// register) drawn over what is already drawn without writing depth, each in
// its own colour. Made empty by IGraphicsDevice::CreatePointList and owned by
// whoever asked for it, who releases it before the device. Main thread only.
#include "basalt/graphics/math3d.h"
#include "basalt/graphics/vertex_types.h"

namespace Basalt {

class IPointList {
 public:
  static constexpr const char* kTextureName = "star.tga";

  virtual ~IPointList() = default;
  // Copies n points, growing the list when n exceeds its capacity; false
  // (logged, the list emptied) when the device cannot hold them.
  virtual bool Fill(const VertexPoint* points, unsigned n) = 0;
  // Draws the points with the world transform; nothing when empty.
  virtual void Render(const mat4& world) = 0;
  virtual unsigned GetCount() const = 0;
};

}  // namespace Basalt
