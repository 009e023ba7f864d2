#include "basalt/fs/path.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

using PathTest = test::TempDirTest;

TEST_F(PathTest, BackslashesAndMixedCaseFindTheFileOnDisk) {
  test::WriteFile("presets/default.preset", "x");
  test::WriteFile("SampleBank/Snares/Snare 1.WAV", "x");
  EXPECT_EQ(Basalt::ResolvePath("Presets\\default.preset"), "presets/default.preset");
  EXPECT_EQ(Basalt::ResolvePath("samplebank\\SNARES\\snare 1.wav"), "SampleBank/Snares/Snare 1.WAV");
  EXPECT_EQ(Basalt::ResolvePath("./SAMPLEBANK/snares/"), "./SampleBank/Snares");
  EXPECT_TRUE(Basalt::PathExists("PRESETS\\DEFAULT.PRESET"));
  EXPECT_FALSE(Basalt::PathExists("presets\\other.preset"));
  EXPECT_FALSE(Basalt::PathExists(""));
}

TEST_F(PathTest, TheExactSpellingWinsOverOtherCases) {
  test::WriteFile("Kick/a.wav", "x");
  test::WriteFile("kick/a.wav", "x");
  EXPECT_EQ(Basalt::ResolvePath("kick/A.WAV"), "kick/a.wav");
  EXPECT_EQ(Basalt::ResolvePath("Kick/a.wav"), "Kick/a.wav");
  EXPECT_EQ(Basalt::ResolvePath("KICK/a.wav"), "Kick/a.wav");  // first in sorted order
}

TEST_F(PathTest, ANewFileResolvesIntoTheExistingDirectory) {
  std::filesystem::create_directory("recordings");
  EXPECT_EQ(Basalt::ResolvePath("Recordings\\New Take.plr"), "recordings/New Take.plr");
  EXPECT_EQ(Basalt::ResolvePath("Missing\\Sub\\file.txt"), "Missing/Sub/file.txt");
  EXPECT_EQ(Basalt::ResolvePath(Dir().c_str()), Dir());
}

TEST_F(PathTest, ListingsAreSortedAsWindowsListsThemAndMatchExtensionsInAnyCase) {
  for (const char* name : {"b.wav", "A.WAV", "ab.wav", "a_b.wav", "c.Wav", "notes.txt", "wav", "x.wave"})
    test::WriteFile(std::string("Bank/") + name, "x");
  EXPECT_EQ(Basalt::ListDirectory("bank", "wav"),
            (std::vector<std::string>{"A.WAV", "ab.wav", "a_b.wav", "b.wav", "c.Wav"}));
  EXPECT_EQ(Basalt::ListDirectory("BANK", "*").size(), 8u);
  EXPECT_TRUE(Basalt::ListDirectory("bank", "ogg").empty());
  EXPECT_TRUE(Basalt::ListDirectory("nowhere", "wav").empty());
}

// A folder, a pipe or a dangling link named like a sample is no sample; a
// link to one is.
TEST_F(PathTest, OnlyFilesAreListedWhateverTheOthersAreNamed) {
  test::WriteFile("Bank/kick.wav", "x");
  std::filesystem::create_directory("Bank/folder.wav");
  std::filesystem::create_directory("Bank/take.plr");
  ASSERT_EQ(mkfifo("Bank/pipe.wav", 0600), 0);
  std::filesystem::create_symlink("kick.wav", "Bank/link.wav");
  std::filesystem::create_symlink("gone.wav", "Bank/dangling.wav");
  EXPECT_EQ(Basalt::ListDirectory("bank", "wav"), (std::vector<std::string>{"kick.wav", "link.wav"}));
  EXPECT_TRUE(Basalt::ListDirectory("bank", "plr").empty());
  EXPECT_EQ(Basalt::ListDirectory("bank", "*").size(), 2u);
}

}  // namespace
