// Path resolution. A path is split at '/' and '\'; resolution walks it one
// component at a time from the working directory (or from '/'). A component
// that exists as written is taken as it is: that is the common case and costs
// one stat. Otherwise its directory is listed and the first entry, in sorted
// order, that equals it ignoring ASCII case is taken. Once a component matches
// nothing, the rest of the path is appended as written: it cannot exist, and
// the caller may be about to create it.
#include "basalt/fs/path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace Basalt {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

std::vector<std::string> SortedEntries(const fs::path& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, ec), end; !ec && it != end;
       it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) {
              const int order = CompareNoCase(a.c_str(), b.c_str());
              return order != 0 ? order < 0 : a < b;
            });
  return names;
}

// The spelling of name inside directory, or empty when nothing matches.
std::string FindSpelling(const fs::path& directory, const std::string& name) {
  if (name == "." || name == "..") return name;
  if (Exists(directory / name)) return name;
  for (const std::string& entry : SortedEntries(directory))
    if (CompareNoCase(entry.c_str(), name.c_str()) == 0) return entry;
  return {};
}

// Follows a symbolic link: a link to a sample is listed like the sample.
bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool HasExtension(const std::string& name, const char* extension) {
  if (std::string(extension) == "*") return true;
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && CompareNoCase(name.c_str() + dot + 1, extension) == 0;
}

}  // namespace

int CompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int ca = std::toupper(static_cast<unsigned char>(*a));
    const int cb = std::toupper(static_cast<unsigned char>(*b));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

std::string ResolvePath(const char* path) {
  if (!path || !*path) return {};
  const std::string text(path);
  const bool absolute = text[0] == '/' || text[0] == '\\';
  fs::path resolved = absolute ? fs::path("/") : fs::path();
  bool matching = true;
  for (const std::string& part : SplitComponents(text)) {
    std::string spelling = matching ? FindSpelling(resolved, part) : std::string();
    if (spelling.empty()) {
      matching = false;
      spelling = part;
    }
    resolved /= spelling;
  }
  return resolved.empty() ? std::string(".") : resolved.string();
}

bool PathExists(const char* path) { return path && *path && Exists(ResolvePath(path)); }

std::vector<std::string> ListDirectory(const char* directory, const char* extension) {
  std::vector<std::string> names;
  const std::string resolved = ResolvePath(directory);
  std::error_code ec;
  if (!fs::is_directory(resolved.empty() ? "." : resolved, ec)) return names;
  for (std::string& name : SortedEntries(resolved))
    if (HasExtension(name, extension) && IsRegularFile(fs::path(resolved) / name)) names.push_back(std::move(name));
  return names;
}

}  // namespace Basalt
