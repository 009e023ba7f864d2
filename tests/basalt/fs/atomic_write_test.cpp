#include "basalt/fs/atomic_write.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

// A streaming writer that stops before Commit (an export that failed half
// way) leaves the old file and no temporary; one that commits replaces it.
TEST_F(AtomicWriteTest, AStreamedFileAbandonedBeforeCommitLeavesTheOldOneAndNoTemporary) {
  test::WriteFile("take.wav", "the take exported last time");
  {
    Basalt::AtomicFileWriter writer("take.wav");
    ASSERT_GE(writer.Descriptor(), 0);
    ASSERT_EQ(::write(writer.Descriptor(), "half", 4), 4);
  }
  EXPECT_EQ(test::ReadFile("take.wav"), "the take exported last time");
  EXPECT_FALSE(std::filesystem::exists("take.wav.partial"));
  {
    Basalt::AtomicFileWriter writer("take.wav");
    ASSERT_EQ(::write(writer.Descriptor(), "whole", 5), 5);
    EXPECT_TRUE(writer.Commit());
  }
  EXPECT_EQ(test::ReadFile("take.wav"), "whole");
  EXPECT_FALSE(std::filesystem::exists("take.wav.partial"));
  std::filesystem::create_directory("folder.wav");  // the rename cannot replace a folder
  Basalt::AtomicFileWriter writer("folder.wav");
  ASSERT_GE(writer.Descriptor(), 0);
  EXPECT_FALSE(writer.Commit());
  EXPECT_FALSE(std::filesystem::exists("folder.wav.partial"));
  EXPECT_TRUE(std::filesystem::is_directory("folder.wav"));
}

}  // namespace
