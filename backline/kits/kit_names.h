#pragma once
// The names an imported kit's files get: the kit's and the instrument's own
// names, cleaned of what a file name on Windows or here cannot hold, and made
// new where a name is taken, so nothing the user has is ever replaced. Any
// thread.
#include <string>
#include <vector>

// name without control characters and \ / : * ? " < > |, its blanks
// collapsed and trimmed, cut to at most maxLength bytes; fallback when
// nothing is left.
std::string CleanFileName(const std::string& name, size_t maxLength, const std::string& fallback);

// Names already taken in a folder (compared ignoring ASCII case), and those
// given out since.
class NameTaker {
 public:
  // The names of every entry of folder (a path of this file system).
  explicit NameTaker(const std::string& folder);
  // stem + extension, or stem + " (2)" + extension and so on, whichever is
  // first free for every extension in extensions; it is taken from then on.
  std::string Take(const std::string& stem, const std::vector<std::string>& extensions);
  // The file name stem + extension, or the first free one after it.
  std::string TakeFileName(const std::string& stem, const std::string& extension) {
    return Take(stem, std::vector<std::string>{extension}) + extension;
  }

 private:
  bool Taken(const std::string& name) const;
  std::vector<std::string> m_taken;
};
