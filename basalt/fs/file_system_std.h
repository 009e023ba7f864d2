#pragma once
#include <cstdio>

#include "basalt/foundation/file_system.h"

namespace Basalt {

// IFileSystem on C stdio and std::filesystem. Text files are written with
// this platform's line ends (LF). A handle that is not open is refused by
// every operation with a log line (false, 0 or nothing happens).
class FileSystemStd : public IFileSystem {
 public:
  static constexpr unsigned kMaxFormatLength = 10000;
  static constexpr unsigned kTextCapacity = 11024;
  static constexpr unsigned kMaxListedName = 250;

  FileSystemStd() = default;
  ~FileSystemStd() override;
  FileSystemStd(const FileSystemStd&) = delete;
  FileSystemStd& operator=(const FileSystemStd&) = delete;

  int OpenFile(const char* path, unsigned mode) override;
  bool Write(int handle, void* data, unsigned length) override;
  bool Write(int handle, const char* format, ...) override __attribute__((format(printf, 3, 4)));
  bool Read(int handle, void* buffer, unsigned length) override;
  bool Read(int handle, char* buffer, unsigned length) override;
  bool LoadFileToRAM(const char* path, RAMFile* out) override;
  bool Seek(int handle, unsigned offset, unsigned origin) override;
  unsigned Tell(int handle) override;
  bool GetDirectoryListing(const char* directory, const char* extension, DirectoryListing* out) override;
  void Close(int handle) override;
  void CloseAll() override;

  // Size in bytes, or 0xFFFFFFFF for a null path or a file that cannot be opened.
  virtual unsigned GetDiskFileSize(const char* path);
  // Number of open files.
  unsigned OpenCount() const { return m_files.Count(); }

 private:
  struct OpenedFile {
    std::FILE* file;
    unsigned mode;
  };
  // The entry of an open handle, or null after logging that operation was
  // handed a handle that is not open.
  OpenedFile* Entry(int handle, const char* operation);

  util::Array<OpenedFile> m_files;
};

}  // namespace Basalt
