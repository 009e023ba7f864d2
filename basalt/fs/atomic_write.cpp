#include "basalt/fs/atomic_write.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "basalt/core/log.h"
#include "basalt/fs/path.h"

namespace Basalt {

namespace {

bool WriteAll(const std::string& path, const void* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
  return std::fclose(file) == 0 && written;
}

}  // namespace

bool WriteFileAtomically(const char* path, const void* data, size_t size) {
  namespace fs = std::filesystem;
  if (!path || (!data && size)) return false;
  const fs::path target = ResolvePath(path);
  const fs::path temporary = target.string() + ".partial";
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (WriteAll(temporary.string(), data, size)) {
    fs::rename(temporary, target, ec);
    if (!ec) return true;
  }
  fs::remove(temporary, ec);
  if (g_pSystemLog) g_pSystemLog->Send("Cannot write '%s'", path);
  return false;
}

}  // namespace Basalt
