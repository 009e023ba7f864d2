// A file is moved by a hard link from its target to the staged file (the
// staged names go with the folder at the end): the link fails when the
// target exists, so even a file made there after the names were chosen is
// never replaced.
#include "backline/kits/staging_area.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

StagingArea::StagingArea() {
  std::error_code error;
  fs::remove_all(kFolder, error);
  m_ready = !error && fs::create_directory(kFolder, error) && !error;
}

StagingArea::~StagingArea() {
  std::error_code error;
  fs::remove_all(kFolder, error);
}

std::string StagingArea::NewFile(const std::string& extension) {
  return std::string(kFolder) + "/" + std::to_string(++m_files) + extension;
}

bool StagingArea::Commit(std::string* why) {
  std::set<fs::path> folders;
  for (size_t moved = 0; moved < m_moves.size(); ++moved) {
    const auto& [staged, target] = m_moves[moved];
    const fs::path folder = fs::path(target).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    fs::create_hard_link(staged, target, error);
    if (error) {
      *why = "cannot write " + target + ": " + error.message();
      TakeBack(moved);
      return false;
    }
    folders.insert(folder);
  }
  for (const fs::path& folder : folders) SyncFolder(folder);
  return true;
}

void StagingArea::TakeBack(size_t moved) {
  for (size_t i = 0; i < moved; ++i) {
    std::error_code error;
    fs::remove(m_moves[i].second, error);
  }
}
