#include "basalt/graphics/gl/vertex_buffer_gl.h"

#include <epoxy/gl.h>

#include "basalt/graphics/gl/graphics_device_gl.h"

namespace Basalt {

bool VertexBufferGL::Initialize(unsigned count, unsigned stride, VertexType type, unsigned usage) {
  if (!m_buffer.Create(GL_ARRAY_BUFFER, count * stride, usage != kUsageStatic, "VertexBuffer")) return false;
  m_numVerts = count;
  m_stride = stride;
  m_usage = usage;
  m_type = type;
  m_initialized = true;
  return true;
}

bool VertexBufferGL::Fill(const void* data, unsigned count, unsigned offset, unsigned flags) {
  const unsigned bytes = count ? count * m_stride : m_buffer.Size();
  const bool discard = (flags & kFillDiscard) && m_usage != kUsageStatic;
  return m_buffer.Write(data, bytes, offset, discard);
}

bool VertexBufferGL::Shutdown() {
  if (!m_initialized) return false;
  m_buffer.Release();
  m_initialized = false;
  return true;
}

bool VertexBufferGL::Activate() {
  if (!m_initialized || !CurrentDeviceGL()) return false;
  CurrentDeviceGL()->SetVertType(m_type);
  return CurrentDeviceGL()->SetStreamSource(m_buffer.Name(), m_stride);
}

}  // namespace Basalt
