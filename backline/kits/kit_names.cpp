#include "backline/kits/kit_names.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "basalt/fs/path.h"

std::string CleanFileName(const std::string& name, size_t maxLength, const std::string& fallback) {
  std::string clean;
  for (char c : name) {
    const bool forbidden = static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr;
    const char kept = forbidden || c == '\t' ? ' ' : c;
    if (kept == ' ' && (clean.empty() || clean.back() == ' ')) continue;
    clean += kept;
  }
  if (clean.size() > maxLength) {
    clean.resize(maxLength);
    // Never half a UTF-8 character: its continuation bytes and lead byte go.
    while (!clean.empty() && (static_cast<unsigned char>(clean.back()) & 0xC0) == 0x80) clean.pop_back();
    if (!clean.empty() && static_cast<unsigned char>(clean.back()) >= 0xC0) clean.pop_back();
  }
  while (!clean.empty() && (clean.back() == ' ' || clean.back() == '.')) clean.pop_back();
  return clean.empty() ? fallback : clean;
}

NameTaker::NameTaker(const std::string& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    m_taken.push_back(it->path().filename().string());
}

std::string NameTaker::Take(const std::string& stem, const std::vector<std::string>& extensions) {
  for (int number = 1;; ++number) {
    const std::string candidate = number == 1 ? stem : stem + " (" + std::to_string(number) + ")";
    if (std::any_of(extensions.begin(), extensions.end(),
                    [&](const std::string& extension) { return Taken(candidate + extension); }))
      continue;
    for (const std::string& extension : extensions) m_taken.push_back(candidate + extension);
    return candidate;
  }
}

bool NameTaker::Taken(const std::string& name) const {
  return std::any_of(m_taken.begin(), m_taken.end(),
                     [&](const std::string& taken) { return Basalt::CompareNoCase(taken.c_str(), name.c_str()) == 0; });
}
