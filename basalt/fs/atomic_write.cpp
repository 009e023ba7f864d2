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

#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
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

// Syncs the folder's entries (the rename into it). Some file systems cannot
// sync a folder; the file itself is already on disk then, so that is no failure.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const char* path) {
  RunGuarded("Cannot write", path, false, [&] {
    m_target = ResolvePath(path);
    m_temporary = m_target.string() + ".partial";
    std::error_code ec;
    if (m_target.has_parent_path()) fs::create_directories(m_target.parent_path(), ec);
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return m_fd >= 0;
  });
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

bool AtomicFileWriter::Commit() {
  if (m_fd < 0) return false;
  const bool synced = ::fsync(m_fd) == 0;
  const bool closed = ::close(m_fd) == 0;
  m_fd = -1;
  std::error_code ec;
  if (synced && closed) fs::rename(m_temporary, m_target, ec);
  if (!synced || !closed || ec) {
    fs::remove(m_temporary, ec);
    return false;
  }
  m_temporary.clear();
  SyncFolder(m_target.parent_path());
  return true;
}

void AtomicFileWriter::Discard() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  std::error_code ec;
  if (!m_temporary.empty()) fs::remove(m_temporary, ec);
  m_temporary.clear();
}

bool WriteFileAtomically(const char* path, const void* data, size_t size) {
  if (!path || (!data && size)) return false;
  const bool written = RunGuarded("Cannot write", path, false, [&] {
    AtomicFileWriter file(path);
    return file.Descriptor() >= 0 && WriteAllTo(file.Descriptor(), data, size) && file.Commit();
  });
  if (!written) LogMessage("Cannot write '%s'", path);
  return written;
}

}  // namespace Basalt
