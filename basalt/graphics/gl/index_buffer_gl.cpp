#include "basalt/graphics/gl/index_buffer_gl.h"

#include <epoxy/gl.h>

#include "basalt/graphics/gl/graphics_device_gl.h"

namespace Basalt {

namespace {
constexpr unsigned kIndexBytes = IIndexBuffer::kBitsPerIndex / 8;
}

bool IndexBufferGL::Initialize(unsigned count, unsigned usage) {
  if (!m_buffer.Create(GL_ELEMENT_ARRAY_BUFFER, count * kIndexBytes, usage != kUsageStatic, "IndexBuffer")) return false;
  m_numIndices = count;
  m_usage = usage;
  m_initialized = true;
  return true;
}

bool IndexBufferGL::Fill(const void* data, unsigned count, unsigned offset, unsigned flags) {
  const unsigned bytes = count ? count * kIndexBytes : m_buffer.Size();
  return m_buffer.Write(data, bytes, offset, (flags & kFillDiscard) != 0);
}

bool IndexBufferGL::Shutdown() {
  if (!m_initialized) return false;
  m_buffer.Release();
  m_initialized = false;
  return true;
}

bool IndexBufferGL::Activate() {
  if (!m_initialized || !CurrentDeviceGL()) return false;
  CurrentDeviceGL()->SetIndices(m_buffer.Name());
  return true;
}

}  // namespace Basalt
