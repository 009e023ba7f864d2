#pragma once
#include "basalt/graphics/gl/gl_buffer.h"
#include "basalt/graphics/index_buffer.h"

namespace Basalt {

// IIndexBuffer on an OpenGL buffer object; same context rule as VertexBufferGL.
class IndexBufferGL : public IIndexBuffer {
 public:
  ~IndexBufferGL() override { Shutdown(); }
  bool Initialize(unsigned count, unsigned usage) override;
  bool Fill(const void* data, unsigned count, unsigned offset, unsigned flags) override;
  bool Shutdown() override;
  bool Activate() override;

 private:
  GLBuffer m_buffer;
};

}  // namespace Basalt
