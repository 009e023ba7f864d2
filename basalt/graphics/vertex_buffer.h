#pragma once
// A buffer of vertices of one type. Created empty (by the graphics device or
// directly), initialized once, filled, activated before each draw and shut
// down by its owner. Main thread only, while the graphics device lives.
#include "basalt/graphics/vertex_types.h"

namespace Basalt {

// Usage kinds of Initialize.
enum BufferUsage : unsigned {
  kUsageStatic = 1,   // filled once
  kUsageDynamic = 2,  // refilled often
  kUsagePoints = 3,   // vertex buffers: refilled point lists (any other value means the same)
};

// Fill flags (bits).
enum FillFlags : unsigned {
  kFillNoOverwrite = 1,
  kFillReadOnly = 2,
  kFillDiscard = 4,  // vertex buffers: honoured only for dynamic and point usage
};

class IVertexBuffer {
 public:
  virtual ~IVertexBuffer() = default;
  // Room for count vertices of stride bytes.
  virtual bool Initialize(unsigned count, unsigned stride, VertexType type, unsigned usage) = 0;
  // Copies count vertices (0: the whole buffer) from data to byte offset.
  virtual bool Fill(const void* data, unsigned count, unsigned offset, unsigned flags) = 0;
  virtual bool Clear() { return true; }
  virtual bool Shutdown() = 0;
  // Selects the buffer's vertex type on the device and binds it as the vertex source.
  virtual bool Activate() = 0;

  unsigned GetNumVerts() const { return m_numVerts; }
  unsigned GetStride() const { return m_stride; }
  VertexType GetType() const { return m_type; }

 protected:
  unsigned m_numVerts = 0;
  unsigned m_stride = 0;
  unsigned m_usage = 0;
  VertexType m_type = VTYPE_NONE;
  bool m_initialized = false;
};

}  // namespace Basalt
