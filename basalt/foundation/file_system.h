#pragma once
// The engine's only path to files: whole-file loads for parsers, handle-based
// access for the log and the mesh loader, sorted directory listings, and a
// size query. Paths are Windows-style and relative to the working directory;
// every one goes through ResolvePath (path.h). Main thread only.
#include <cstdarg>

#include "basalt/util/array.h"

namespace Basalt {

// A whole file in memory. The block belongs to the RAMFile and is freed by
// Clear or the destructor. It holds size bytes plus one zero byte after them
// (the data itself may contain zeros: use size).
struct RAMFile {
  char* data = nullptr;
  unsigned size = 0;

  RAMFile() = default;
  ~RAMFile() { Clear(); }
  RAMFile(const RAMFile&) = delete;
  RAMFile& operator=(const RAMFile&) = delete;
  void Clear();
};

class IFileSystem {
 public:
  // Modes: bit 0 read (else write), bit 1 binary (else text).
  enum Mode : unsigned { kWriteText = 0, kReadText = 1, kWriteBinary = 2, kReadBinary = 3 };

  struct FileName {
    char name[256];
  };
  // Names found by GetDirectoryListing, appended in sorted order.
  struct DirectoryListing {
    util::Array<FileName> names;
  };

  virtual ~IFileSystem() = default;
  // A handle is the file's index in the open-file table, or -1. Closing a file
  // moves the last-opened one into its index: open and close in nested order.
  virtual int OpenFile(const char* path, unsigned mode) = 0;
  // Binary write: handle in kWriteBinary mode only; false on a short write.
  // (data is not const, so a string literal always picks the formatted Write.)
  virtual bool Write(int handle, void* data, unsigned length) = 0;
  // Formatted text write, flushed before it returns: kWriteText mode only;
  // false for a null format or one longer than 10000 characters.
  virtual bool Write(int handle, const char* format, ...) __attribute__((format(printf, 3, 4))) = 0;
  // Binary read of exactly length bytes: kReadBinary mode only; false on a short read.
  virtual bool Read(int handle, void* buffer, unsigned length) = 0;
  // One line (at most length - 1 characters, line feed kept, zero-terminated):
  // kReadText mode only; true also at end of file, with an empty buffer.
  virtual bool Read(int handle, char* buffer, unsigned length) = 0;
  // Loads a whole file into out (replacing and freeing what it held); false
  // for a null argument, a path of 2 characters or fewer, or a file that
  // cannot be read.
  virtual bool LoadFileToRAM(const char* path, RAMFile* out) = 0;
  // origin: 0 start, 1 current position, 2 end.
  virtual bool Seek(int handle, unsigned offset, unsigned origin) = 0;
  virtual unsigned Tell(int handle) = 0;
  // Appends the sorted names in directory whose extension matches (see
  // ListDirectory); false, and out unchanged, when nothing matches.
  virtual bool GetDirectoryListing(const char* directory, const char* extension, DirectoryListing* out) = 0;
  virtual void Close(int handle) = 0;
  virtual void CloseAll() = 0;
};

extern IFileSystem* g_pFileSystem;

}  // namespace Basalt
