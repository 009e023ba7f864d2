#include "basalt/graphics/gl/gl_buffer.h"

#include <epoxy/gl.h>

#include "basalt/foundation/log.h"
#include "basalt/graphics/gl/graphics_device_gl.h"

namespace Basalt {

namespace {

// Clears errors left by earlier calls so the next check sees only ours.
void DrainErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

bool GLBuffer::Create(unsigned target, unsigned bytes, bool dynamic, const char* kind) {
  Release();
  m_kind = kind;
  DrainErrors();
  GLuint name = 0;
  glGenBuffers(1, &name);
  glBindBuffer(target, name);
  glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    LogMessage("Failed to create GL %s (code: %d)", m_kind, error);
    glDeleteBuffers(1, &name);
    return false;
  }
  m_target = target;
  m_name = name;
  m_bytes = bytes;
  m_dynamic = dynamic;
  return true;
}

bool GLBuffer::Write(const void* data, unsigned bytes, unsigned offset, bool discard) {
  if (!m_name || offset > m_bytes || bytes > m_bytes - offset) {
    LogMessage("Failed to lock GL %s (code: %d)", m_kind, GL_INVALID_VALUE);
    return false;
  }
  DrainErrors();
  glBindBuffer(m_target, m_name);
  if (discard)
    glBufferData(m_target, static_cast<GLsizeiptr>(m_bytes), nullptr, m_dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
  glBufferSubData(m_target, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(bytes), data);
  const GLenum error = glGetError();
  if (error == GL_NO_ERROR) return true;
  LogMessage("Failed to lock GL %s (code: %d)", m_kind, error);
  return false;
}

void GLBuffer::Release() {
  if (m_name && CurrentDeviceGL()) CurrentDeviceGL()->ForgetBuffer(m_name);
  if (m_name) glDeleteBuffers(1, &m_name);
  m_name = 0;
  m_bytes = 0;
}

}  // namespace Basalt
