#include "basalt/fs/atomic_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/engine_fixture.h"

namespace {

using AtomicWriteTest = test::EngineFixture;

TEST_F(AtomicWriteTest, ReplacesWholeFilesAndLeavesNoTemporaryBehind) {
  test::WriteFile("presets/default.preset", "old contents, longer than the new");
  ASSERT_TRUE(Basalt::WriteFileAtomically("Presets\\default.preset", "new", 3));
  EXPECT_EQ(test::ReadFile("presets/default.preset"), "new");
  ASSERT_TRUE(Basalt::WriteFileAtomically("made\\on\\demand.bin", "x", 1));
  EXPECT_EQ(test::ReadFile("made/on/demand.bin"), "x");
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("."))
    if (entry.is_regular_file()) ++files;
  EXPECT_EQ(files, 3u);  // the two written and the log
}

TEST_F(AtomicWriteTest, AFailedWriteKeepsTheOldFile) {
  test::WriteFile("keep.bin", "precious");
  std::filesystem::create_directory("keep.bin.partial");  // the temporary cannot be created
  EXPECT_FALSE(Basalt::WriteFileAtomically("keep.bin", "lost", 4));
  EXPECT_EQ(test::ReadFile("keep.bin"), "precious");
  EXPECT_FALSE(Basalt::WriteFileAtomically(nullptr, "x", 1));
  EXPECT_NE(LogText().find("Cannot write 'keep.bin'"), std::string::npos);
}

}  // namespace
