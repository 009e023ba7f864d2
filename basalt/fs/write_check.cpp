#include "basalt/fs/write_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "basalt/fs/path.h"

namespace Basalt {

namespace fs = std::filesystem;

std::string AbsolutePath(const char* path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(ResolvePath(path), error);
  return error ? ResolvePath(path) : absolute.lexically_normal().string();
}

std::string WhyNotWritable(const char* path) {
  const fs::path file = AbsolutePath(path);
  std::error_code error;
  if (fs::is_directory(file, error)) return "it is a folder";
  const fs::path checked = fs::exists(file, error) ? file : file.parent_path();
  if (access(checked.c_str(), W_OK) != 0) return std::strerror(errno);
  return "it cannot be opened for writing";
}

}  // namespace Basalt
