#include "basalt/fs/file_system_std.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "tests/support/engine_fixture.h"

namespace {

class FileSystemTest : public test::EngineFixture {
 protected:
  Basalt::FileSystemStd fs;
};

TEST_F(FileSystemTest, ClosingAHandleMovesTheLastOpenedFileIntoIt) {
  const int a = fs.OpenFile("a.txt", Basalt::IFileSystem::kWriteText);
  const int b = fs.OpenFile("b.txt", Basalt::IFileSystem::kWriteText);
  const int c = fs.OpenFile("c.txt", Basalt::IFileSystem::kWriteText);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(c, 2);
  fs.Close(b);
  EXPECT_EQ(fs.OpenCount(), 2u);
  EXPECT_TRUE(fs.Write(1, "written through handle %d", 1));
  EXPECT_EQ(test::ReadFile("c.txt"), "written through handle 1");  // flushed at once
  EXPECT_EQ(fs.OpenFile("Missing\\dir\\x.txt", Basalt::IFileSystem::kWriteText), -1);
}

TEST_F(FileSystemTest, EachOperationServesOnlyItsMode) {
  const int text = fs.OpenFile("t.txt", Basalt::IFileSystem::kWriteText);
  const int binary = fs.OpenFile("b.bin", Basalt::IFileSystem::kWriteBinary);
  char bytes[] = {1, 0, 2};
  EXPECT_FALSE(fs.Write(text, static_cast<void*>(bytes), 3));
  EXPECT_FALSE(fs.Write(binary, "text"));
  EXPECT_TRUE(fs.Write(binary, static_cast<void*>(bytes), 3));
  EXPECT_FALSE(fs.Write(text, std::string(10001, 'x').c_str()));
  fs.CloseAll();
  EXPECT_EQ(test::ReadFile("b.bin"), std::string(bytes, 3));

  const int lines = fs.OpenFile("b.bin", Basalt::IFileSystem::kReadText);
  char buffer[8] = "unset";
  EXPECT_FALSE(fs.Read(lines, static_cast<void*>(buffer), 3));
  EXPECT_STREQ(buffer, "unset");
  fs.CloseAll();
}

TEST_F(FileSystemTest, ReadsLinesAndExactBlocks) {
  test::WriteFile("lines.txt", "first\nsecond");
  const int lines = fs.OpenFile("LINES.TXT", Basalt::IFileSystem::kReadText);
  char line[16];
  ASSERT_TRUE(fs.Read(lines, line, sizeof line));
  EXPECT_STREQ(line, "first\n");
  ASSERT_TRUE(fs.Read(lines, line, 4));
  EXPECT_STREQ(line, "sec");
  ASSERT_TRUE(fs.Read(lines, line, sizeof line));
  EXPECT_STREQ(line, "ond");
  ASSERT_TRUE(fs.Read(lines, line, sizeof line));  // end of file
  EXPECT_STREQ(line, "");
  fs.Close(lines);

  test::WriteFile("block.bin", "0123456789");
  const int block = fs.OpenFile("block.bin", Basalt::IFileSystem::kReadBinary);
  char bytes[8] = {};
  EXPECT_TRUE(fs.Seek(block, 4, 0));
  EXPECT_EQ(fs.Tell(block), 4u);
  EXPECT_TRUE(fs.Read(block, static_cast<void*>(bytes), 4));
  EXPECT_EQ(std::string(bytes, 4), "4567");
  EXPECT_FALSE(fs.Read(block, static_cast<void*>(bytes), 4));  // only two bytes left
  EXPECT_TRUE(fs.Seek(block, 0, 2));
  EXPECT_EQ(fs.Tell(block), 10u);
  fs.Close(block);
}

TEST_F(FileSystemTest, HandlesThatAreNotOpenAreRefusedAndLogged) {
  char buffer[4];
  for (int handle : {-1, 0, 5}) {
    EXPECT_FALSE(fs.Write(handle, "x"));
    EXPECT_FALSE(fs.Write(handle, static_cast<void*>(buffer), 1));
    EXPECT_FALSE(fs.Read(handle, buffer, sizeof buffer));
    EXPECT_FALSE(fs.Read(handle, static_cast<void*>(buffer), 1));
    EXPECT_FALSE(fs.Seek(handle, 0, 0));
    EXPECT_EQ(fs.Tell(handle), 0u);
    fs.Close(handle);
  }
  EXPECT_EQ(fs.OpenFile(nullptr, 0), -1);
  const std::string log = LogText();
  EXPECT_NE(log.find("FileSystemStd::Seek(): handle -1 is not open\n"), std::string::npos);
  EXPECT_NE(log.find("FileSystemStd::Close(): handle 5 is not open\n"), std::string::npos);
  EXPECT_NE(log.find("FileSystemStd::OpenFile(): Bad filename '(null)'\n"), std::string::npos);
}

TEST_F(FileSystemTest, LoadsWholeFilesWithATerminatingZero) {
  Basalt::RAMFile file;
  EXPECT_FALSE(fs.LoadFileToRAM("ab", &file));
  EXPECT_FALSE(fs.LoadFileToRAM(nullptr, &file));
  EXPECT_FALSE(fs.LoadFileToRAM("abc", nullptr));
  test::WriteFile("empty.txt", "");
  ASSERT_TRUE(fs.LoadFileToRAM("empty.txt", &file));
  EXPECT_EQ(file.size, 0u);
  test::WriteFile("Content/Data.bin", std::string("a\0b", 3));
  ASSERT_TRUE(fs.LoadFileToRAM("content\\data.bin", &file));  // replaces, and frees, the empty one
  EXPECT_EQ(std::string(file.data, file.size), std::string("a\0b", 3));
  EXPECT_EQ(file.data[3], '\0');
  EXPECT_FALSE(fs.LoadFileToRAM("content", &file));  // a directory is no file
  EXPECT_EQ(file.size, 3u);                          // and the old contents stay
  // Nor a pipe, whose open waits for another program. The test holds both
  // ends itself, so that a wrong open fails here rather than waits.
  ASSERT_EQ(mkfifo("pipe.cfg", 0600), 0);
  const int bothEnds = open("pipe.cfg", O_RDWR | O_NONBLOCK);
  ASSERT_GE(bothEnds, 0);
  EXPECT_EQ(fs.OpenFile("pipe.cfg", Basalt::IFileSystem::kReadBinary), -1);
  EXPECT_EQ(fs.OpenFile("pipe.cfg", Basalt::IFileSystem::kWriteText), -1);
  EXPECT_FALSE(fs.LoadFileToRAM("pipe.cfg", &file));
  close(bothEnds);
  EXPECT_FALSE(fs.LoadFileToRAM("missing.cfg", &file));
  EXPECT_NE(LogText().find("FileSystemStd::LoadFileToRAM(): failed to open 'missing.cfg' (file not found?)"),
            std::string::npos);
  file.Clear();
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
}

TEST_F(FileSystemTest, ListsSortedNamesAndLeavesTheListingAloneWithoutMatches) {
  test::WriteFile("meshes/Drumset2.gmsh", "x");
  test::WriteFile("meshes/drumset.GMSH", "x");
  test::WriteFile("meshes/readme.txt", "x");
  Basalt::IFileSystem::DirectoryListing listing;
  EXPECT_FALSE(fs.GetDirectoryListing("meshes", "tga", &listing));
  EXPECT_FALSE(fs.GetDirectoryListing("nowhere", "gmsh", &listing));
  EXPECT_EQ(listing.names.Count(), 0u);
  ASSERT_TRUE(fs.GetDirectoryListing("Meshes", "gmsh", &listing));
  ASSERT_EQ(listing.names.Count(), 2u);
  EXPECT_STREQ(listing.names.Get(0).name, "drumset.GMSH");
  EXPECT_STREQ(listing.names.Get(1).name, "Drumset2.gmsh");
}

TEST_F(FileSystemTest, ReportsDiskFileSizes) {
  test::WriteFile("sized.bin", std::string(1234, 'z'));
  EXPECT_EQ(fs.GetDiskFileSize("SIZED.bin"), 1234u);
  EXPECT_EQ(fs.GetDiskFileSize("absent.bin"), 0xFFFFFFFFu);
  EXPECT_EQ(fs.GetDiskFileSize(nullptr), 0xFFFFFFFFu);
}

}  // namespace
