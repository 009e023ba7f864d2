#pragma once
#include <string>

#include <gtest/gtest.h>

namespace test {

// Runs each test in a fresh, empty working directory, removed afterwards.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  const std::string& Dir() const { return m_dir; }

 private:
  std::string m_dir;
  std::string m_previous;
};

// Whole-file helpers for checking what the code under test wrote.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace test
