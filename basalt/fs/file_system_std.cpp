#include "basalt/fs/file_system_std.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>

#include "basalt/foundation/log.h"
#include "basalt/fs/path.h"

namespace Basalt {

namespace {

const char* ModeString(unsigned mode) {
  static const char* const kModes[] = {"w", "r", "wb", "rb"};
  return kModes[mode & 3];
}

// Opens path in a stdio mode. A folder or a pipe (whose open would wait for
// another program) is never opened, and for reading only a regular file is.
std::FILE* OpenResolved(const char* path, const char* mode) {
  namespace fs = std::filesystem;
  const std::string resolved = ResolvePath(path);
  std::error_code ec;
  const fs::file_status status = fs::status(resolved, ec);
  if (fs::is_directory(status) || fs::is_fifo(status)) return nullptr;
  if (mode[0] == 'r' && !fs::is_regular_file(status)) return nullptr;
  return std::fopen(resolved.c_str(), mode);
}

// The size of an open file from its end position; false when it cannot be told
// or does not fit the 32-bit sizes of the interface.
bool MeasureSize(std::FILE* file, unsigned* size) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(file);
  if (end < 0 || static_cast<unsigned long>(end) >= UINT_MAX) return false;
  std::rewind(file);
  *size = static_cast<unsigned>(end);
  return true;
}

}  // namespace

FileSystemStd::~FileSystemStd() { CloseAll(); }

FileSystemStd::OpenedFile* FileSystemStd::Entry(int handle, const char* operation) {
  if (handle >= 0 && static_cast<unsigned>(handle) < m_files.Count()) return &m_files.Get(handle);
  LogMessage("FileSystemStd::%s(): handle %d is not open", operation, handle);
  return nullptr;
}

int FileSystemStd::OpenFile(const char* path, unsigned mode) {
  if (!path) {
    LogMessage("FileSystemStd::OpenFile(): Bad filename '%s'", "(null)");
    return -1;
  }
  std::FILE* file = OpenResolved(path, ModeString(mode));
  if (!file) return -1;
  const int handle = m_files.Add(OpenedFile{file, mode & 3});
  if (handle < 0) std::fclose(file);
  return handle;
}

bool FileSystemStd::Write(int handle, void* data, unsigned length) {
  OpenedFile* entry = Entry(handle, "Write");
  if (!entry || entry->mode != kWriteBinary || (!data && length)) return false;
  return std::fwrite(data, 1, length, entry->file) == length;
}

bool FileSystemStd::Write(int handle, const char* format, ...) {
  OpenedFile* entry = Entry(handle, "Write");
  if (!entry || entry->mode != kWriteText || !format) return false;
  if (std::strlen(format) > kMaxFormatLength) return false;
  char text[kTextCapacity];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (length < 0) return false;
  const size_t written = std::strlen(text);
  const bool ok = std::fwrite(text, 1, written, entry->file) == written;
  return std::fflush(entry->file) == 0 && ok;
}

bool FileSystemStd::Read(int handle, void* buffer, unsigned length) {
  OpenedFile* entry = Entry(handle, "Read");
  if (!entry || entry->mode != kReadBinary || (!buffer && length)) return false;
  return std::fread(buffer, 1, length, entry->file) == length;
}

bool FileSystemStd::Read(int handle, char* buffer, unsigned length) {
  OpenedFile* entry = Entry(handle, "Read");
  if (!entry || entry->mode != kReadText || !buffer || length == 0) return false;
  if (length > INT_MAX) length = INT_MAX;
  if (!std::fgets(buffer, static_cast<int>(length), entry->file)) buffer[0] = '\0';
  return true;
}

bool FileSystemStd::LoadFileToRAM(const char* path, RAMFile* out) {
  if (!path || !out || std::strlen(path) <= 2) return false;
  std::FILE* file = OpenResolved(path, "rb");
  if (!file) {
    LogMessage("FileSystemStd::LoadFileToRAM(): failed to open '%s' (file not found?)", path);
    return false;
  }
  unsigned size = 0;
  char* data = nullptr;
  bool ok = MeasureSize(file, &size) && (data = new (std::nothrow) char[size + 1]) != nullptr;
  ok = ok && std::fread(data, 1, size, file) == size;
  std::fclose(file);
  if (!ok) {
    delete[] data;
    LogMessage("FileSystemStd::LoadFileToRAM(): failed to read '%s'", path);
    return false;
  }
  data[size] = '\0';
  out->Clear();
  out->data = data;
  out->size = size;
  return true;
}

bool FileSystemStd::Seek(int handle, unsigned offset, unsigned origin) {
  OpenedFile* entry = Entry(handle, "Seek");
  if (!entry || origin > 2) return false;
  static const int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const int result = std::fseek(entry->file, static_cast<long>(offset), kOrigins[origin]);
  if (result != 0) {
    LogMessage("FileSystemStd::Seek(): fseek(0x%p, %u, %u) returned %d", static_cast<void*>(entry->file), offset,
               origin, result);
    return false;
  }
  return true;
}

unsigned FileSystemStd::Tell(int handle) {
  OpenedFile* entry = Entry(handle, "Tell");
  return entry ? static_cast<unsigned>(std::ftell(entry->file)) : 0;
}

bool FileSystemStd::GetDirectoryListing(const char* directory, const char* extension, DirectoryListing* out) {
  if (!directory || !extension || !out) return false;
  const std::vector<std::string> names = ListDirectory(directory, extension);
  for (const std::string& name : names) {
    FileName entry = {};
    std::strncpy(entry.name, name.c_str(), kMaxListedName);
    out->names.Add(entry);
  }
  return !names.empty();
}

void FileSystemStd::Close(int handle) {
  OpenedFile* entry = Entry(handle, "Close");
  if (!entry) return;
  std::fclose(entry->file);
  m_files.RemoveAt(static_cast<unsigned>(handle));
}

void FileSystemStd::CloseAll() {
  for (unsigned i = 0; i < m_files.Count(); ++i) std::fclose(m_files.Get(i).file);
  m_files.Clear();
}

unsigned FileSystemStd::GetDiskFileSize(const char* path) {
  if (!path) return 0xFFFFFFFF;
  std::FILE* file = OpenResolved(path, "rb");
  if (!file) return 0xFFFFFFFF;
  unsigned size = 0;
  const bool ok = MeasureSize(file, &size);
  std::fclose(file);
  return ok ? size : 0xFFFFFFFF;
}

}  // namespace Basalt
