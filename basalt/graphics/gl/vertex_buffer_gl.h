#pragma once
#include "basalt/graphics/gl/gl_buffer.h"
#include "basalt/graphics/vertex_buffer.h"

namespace Basalt {

// IVertexBuffer on an OpenGL buffer object. Needs the current device's context (CurrentDeviceGL)
// from Initialize to Shutdown (the destructor shuts down).
class VertexBufferGL : public IVertexBuffer {
 public:
  ~VertexBufferGL() override { Shutdown(); }
  bool Initialize(unsigned count, unsigned stride, VertexType type, unsigned usage) override;
  bool Fill(const void* data, unsigned count, unsigned offset, unsigned flags) override;
  bool Shutdown() override;
  bool Activate() override;

 private:
  GLBuffer m_buffer;
};

}  // namespace Basalt
