#include "basalt/core/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "basalt/fs/file_system.h"

namespace Basalt {

Log* g_pSystemLog = nullptr;

Log::Log(const char* fileName) { std::strncpy(m_fileName, fileName, kFileNameCapacity - 1); }

Log::~Log() { Shutdown(); }

bool Log::Initialize(void*) {
  if (!g_pFileSystem) return false;
  m_handle = g_pFileSystem->OpenFile(m_fileName, IFileSystem::kWriteText);
  if (m_handle == -1) return false;
  g_pFileSystem->Write(m_handle, "-- System Log Opened --\n\n");
  m_initialized = true;
  return true;
}

bool Log::Shutdown() {
  if (!m_initialized || m_handle == -1 || !g_pFileSystem) return false;
  g_pFileSystem->Write(m_handle, "\n-- System Log Closed --\n");
  g_pFileSystem->Close(m_handle);
  m_handle = -1;
  return true;
}

void Log::Send(const char* format, ...) {
  if (m_handle == -1 || !m_initialized || !format || !g_pFileSystem) return;
  if (std::strlen(format) > kMaxFormatLength) return;
  char line[kLineCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  g_pFileSystem->Write(m_handle, "%s\n", line);
}

}  // namespace Basalt
