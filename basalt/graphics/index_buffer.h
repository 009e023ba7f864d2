#pragma once
// A buffer of 16-bit triangle-list indices; same lifetime rules as
// IVertexBuffer (usage kinds and fill flags in vertex_buffer.h).
#include "basalt/graphics/vertex_buffer.h"

namespace Basalt {

class IIndexBuffer {
 public:
  static constexpr unsigned kBitsPerIndex = 16;

  virtual ~IIndexBuffer() = default;
  virtual bool Initialize(unsigned count, unsigned usage) = 0;
  // Copies count indices (0: the whole buffer) from data to byte offset.
  virtual bool Fill(const void* data, unsigned count, unsigned offset, unsigned flags) = 0;
  virtual bool Clear() { return true; }
  virtual bool Shutdown() = 0;
  // Makes this the index buffer of the next indexed draw.
  virtual bool Activate() = 0;

  unsigned GetNumIndices() const { return m_numIndices; }

 protected:
  unsigned m_numIndices = 0;
  unsigned m_usage = 0;
  bool m_initialized = false;
};

}  // namespace Basalt
