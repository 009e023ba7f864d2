#include "tests/support/temp_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace test {

void TempDirTest::SetUp() {
  m_previous = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "padlark-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  m_dir = pattern;
  std::filesystem::current_path(m_dir);
}

void TempDirTest::TearDown() {
  std::filesystem::current_path(m_previous);
  std::error_code ec;
  std::filesystem::remove_all(m_dir, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace test
