#pragma once
// The part VertexBufferGL and IndexBufferGL share: one OpenGL buffer object
// of a fixed size, filled by byte ranges. A discard fill orphans the old
// storage first so the driver need not wait for draws still reading it.

namespace Basalt {

class GLBuffer {
 public:
  GLBuffer() = default;
  ~GLBuffer() { Release(); }
  GLBuffer(const GLBuffer&) = delete;
  GLBuffer& operator=(const GLBuffer&) = delete;

  // target: GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER; kind names the
  // buffer in log lines ("VertexBuffer"). False (no buffer, a log line)
  // when OpenGL reports an error.
  bool Create(unsigned target, unsigned bytes, bool dynamic, const char* kind);
  // Copies bytes at offset; false (and a log line) when the range leaves the
  // buffer or OpenGL reports an error.
  bool Write(const void* data, unsigned bytes, unsigned offset, bool discard);
  // Deletes the buffer and tells the graphics device it is gone.
  void Release();

  unsigned Name() const { return m_name; }
  unsigned Size() const { return m_bytes; }

 private:
  const char* m_kind = "";
  unsigned m_target = 0;
  unsigned m_name = 0;
  unsigned m_bytes = 0;
  bool m_dynamic = false;
};

}  // namespace Basalt
