#pragma once
#include <cstddef>
#include <filesystem>

namespace Basalt {

// A file written whole or not at all, for writers that stream into a file
// descriptor: the bytes go to "<path>.partial" in the same folder (created
// when missing); Commit syncs it, renames it over path and syncs the folder,
// so after a crash or a power cut at any moment path is the old file or the
// whole new one. Destroyed without a successful Commit, the temporary is
// removed and path left as it was. Owned by one thread; blocks on the disk;
// never throws.
class AtomicFileWriter {
 public:
  // Opens the temporary for path (a program path, resolved); Descriptor is
  // -1 when it cannot be.
  explicit AtomicFileWriter(const char* path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  int Descriptor() const { return m_fd; }
  // Makes what was written the file; false when a step fails (the temporary
  // is removed, the old file untouched).
  bool Commit();

 private:
  void Discard();

  std::filesystem::path m_target;
  std::filesystem::path m_temporary;
  int m_fd = -1;
};

// Writes size bytes to path (a program path) so that the file is either the
// old one or the whole new one, never a truncated mix: the bytes go to a
// temporary file in the same folder, which is synced to the disk, renamed
// over path, and the folder synced after it: after a crash or a power cut at
// any moment the file is the old one or the whole new one. A missing folder
// is created. False, with a log line, when nothing could be written; the old
// file is then untouched. Never throws; blocks until the disk has the data.
bool WriteFileAtomically(const char* path, const void* data, size_t size);

}  // namespace Basalt
