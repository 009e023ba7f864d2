#include "basalt/foundation/log.h"

#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "basalt/foundation/file_system.h"

namespace Basalt {

Log* g_pSystemLog = nullptr;

namespace {

const char kHeader[] = "-- System Log Opened --\n";
const char kFooter[] = "\n-- System Log Closed --";

}  // namespace

Log::Log(const char* fileName, size_t sizeCap) : m_sizeCap(sizeCap) {
  assert(sizeCap > kClosingRoom + kLineCapacity && "a log cap too small for one line");
  std::strncpy(m_fileName, fileName, kFileNameCapacity - 1);
}

Log::~Log() { Shutdown(); }

bool Log::Initialize(void*) {
  if (!g_pFileSystem) return false;
  m_handle = g_pFileSystem->OpenFile(m_fileName, IFileSystem::kWriteText);
  if (m_handle == -1) return false;
  m_written = 0;
  m_full = false;
  m_hasLastLine = false;
  m_repeats = 0;
  m_initialized = true;
  WriteLine(kHeader);
  return true;
}

bool Log::Shutdown() {
  if (!m_initialized || m_handle == -1 || !g_pFileSystem) return false;
  WriteRepeatCount();
  g_pFileSystem->Write(m_handle, "%s\n", kFooter);
  g_pFileSystem->Close(m_handle);
  m_handle = -1;
  return true;
}

void Log::Send(const char* format, ...) {
  va_list args;
  va_start(args, format);
  SendArgs(format, args);
  va_end(args);
}

void Log::SendArgs(const char* format, va_list args) {
  if (m_handle == -1 || !m_initialized || !format || !g_pFileSystem) return;
  if (std::strlen(format) > kMaxFormatLength) return;
  char line[kLineCapacity];
  std::vsnprintf(line, sizeof line, format, args);
  if (m_hasLastLine && std::strcmp(line, m_lastLine) == 0) {
    ++m_repeats;
    return;
  }
  WriteRepeatCount();
  WriteLine(line);
  std::memcpy(m_lastLine, line, sizeof line);
  m_hasLastLine = true;
}

void Log::WriteRepeatCount() {
  if (m_repeats == 0) return;
  char line[64];
  std::snprintf(line, sizeof line, "Last message repeated %lu time%s", m_repeats, m_repeats == 1 ? "" : "s");
  m_repeats = 0;
  WriteLine(line);
}

void Log::WriteLine(const char* text) {
  if (m_full) return;
  const size_t length = std::strlen(text) + 1;
  if (m_written + length + kClosingRoom <= m_sizeCap) {
    if (g_pFileSystem->Write(m_handle, "%s\n", text)) m_written += length;
    return;
  }
  m_full = true;
  g_pFileSystem->Write(m_handle, "-- The log has reached its size cap of %zu bytes: later messages are not written --\n",
                       m_sizeCap);
}

void LogMessage(const char* format, ...) {
  if (!g_pSystemLog) return;
  va_list args;
  va_start(args, format);
  g_pSystemLog->SendArgs(format, args);
  va_end(args);
}

}  // namespace Basalt
