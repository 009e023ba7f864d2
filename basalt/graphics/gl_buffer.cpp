#include "basalt/graphics/gl_buffer.h"

#include <epoxy/gl.h>

namespace Basalt {

namespace {

// Clears errors left by earlier calls so the next check sees only ours.
void DrainErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

bool GLBuffer::Create(unsigned target, unsigned bytes, bool dynamic, unsigned* error) {
  Release();
  DrainErrors();
  GLuint name = 0;
  glGenBuffers(1, &name);
  glBindBuffer(target, name);
  glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
  *error = glGetError();
  if (*error != GL_NO_ERROR) {
    glDeleteBuffers(1, &name);
    return false;
  }
  m_target = target;
  m_name = name;
  m_bytes = bytes;
  m_dynamic = dynamic;
  return true;
}

bool GLBuffer::Write(const void* data, unsigned bytes, unsigned offset, bool discard, unsigned* error) {
  if (!m_name || offset > m_bytes || bytes > m_bytes - offset) {
    *error = GL_INVALID_VALUE;
    return false;
  }
  DrainErrors();
  glBindBuffer(m_target, m_name);
  if (discard)
    glBufferData(m_target, static_cast<GLsizeiptr>(m_bytes), nullptr, m_dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
  glBufferSubData(m_target, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(bytes), data);
  *error = glGetError();
  return *error == GL_NO_ERROR;
}

void GLBuffer::Release() {
  if (m_name) glDeleteBuffers(1, &m_name);
  m_name = 0;
  m_bytes = 0;
}

}  // namespace Basalt
