// The temporary is written with plain POSIX calls so that it can be synced:
// its bytes reach the disk before the rename makes them the file, and the
// folder is synced after the rename so that the new name survives a power
// cut as well. Without the first sync a crash could leave the new name on
// an empty file; without the second, the old name on the old file, or none.
#include "basalt/fs/atomic_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "basalt/core/exception_boundary.h"
#include "basalt/core/log.h"
#include "basalt/fs/path.h"

namespace Basalt {

namespace {

namespace fs = std::filesystem;

bool WriteAllTo(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Writes and syncs a new file at path; false when any step fails.
bool WriteSynced(const std::string& path, const void* data, size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = WriteAllTo(fd, data, size) && ::fsync(fd) == 0;
  return ::close(fd) == 0 && written;
}

// Syncs the folder's entries (the rename into it). Some file systems cannot
// sync a folder; the file itself is already on disk then, so that is no failure.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes the temporary, renames it over the target; false when either fails,
// with the temporary removed and the old file as it was.
bool ReplaceFile(const fs::path& target, const void* data, size_t size) {
  const fs::path temporary = target.string() + ".partial";
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (WriteSynced(temporary.string(), data, size)) {
    fs::rename(temporary, target, ec);
    if (!ec) {
      SyncFolder(target.parent_path());
      return true;
    }
  }
  fs::remove(temporary, ec);
  return false;
}

}  // namespace

bool WriteFileAtomically(const char* path, const void* data, size_t size) {
  if (!path || (!data && size)) return false;
  const bool written =
      RunGuarded("Cannot write", path, false, [&] { return ReplaceFile(ResolvePath(path), data, size); });
  if (!written && g_pSystemLog) g_pSystemLog->Send("Cannot write '%s'", path);
  return written;
}

}  // namespace Basalt
