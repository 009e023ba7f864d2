#include "basalt/foundation/log.h"

#include <gtest/gtest.h>

#include <string>

#include "basalt/fs/file_system_std.h"
#include "tests/support/temp_dir.h"

namespace {

class LogTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    Basalt::g_pFileSystem = &fileSystem;
  }
  void TearDown() override {
    Basalt::g_pFileSystem = nullptr;
    TempDirTest::TearDown();
  }
  Basalt::FileSystemStd fileSystem;
};

TEST_F(LogTest, WritesHeaderLinesAndFooterWithLinuxLineEnds) {
  Basalt::Log log("systemlog.txt");
  log.Send("dropped: %d", 1);  // not open yet
  ASSERT_TRUE(log.Initialize(nullptr));
  log.Send("Version: %s", "version 1.36");
  EXPECT_EQ(test::ReadFile("systemlog.txt"), "-- System Log Opened --\n\nVersion: version 1.36\n");  // flushed
  EXPECT_TRUE(log.Shutdown());
  log.Send("after shutdown");
  EXPECT_FALSE(log.Shutdown());
  EXPECT_EQ(test::ReadFile("systemlog.txt"),
            "-- System Log Opened --\n\nVersion: version 1.36\n\n-- System Log Closed --\n");
}

// A line sent before the log is published or after it is withdrawn goes
// nowhere, and one sent while it is published is formatted into it.
TEST_F(LogTest, AMessageGoesToThePublishedLogAndIsSafeWithoutOne) {
  Basalt::LogMessage("before start-up: %d", 1);
  Basalt::Log log("systemlog.txt");
  ASSERT_TRUE(log.Initialize(nullptr));
  Basalt::g_pSystemLog = &log;
  Basalt::LogMessage("Failed to load font: %s", "Arial");
  Basalt::g_pSystemLog = nullptr;
  Basalt::LogMessage("after shutdown: %d", 2);
  EXPECT_EQ(test::ReadFile("systemlog.txt"), "-- System Log Opened --\n\nFailed to load font: Arial\n");
}

TEST_F(LogTest, OverlongFormatsAreDroppedAndOverlongLinesCut) {
  Basalt::Log log("systemlog.txt");
  ASSERT_TRUE(log.Initialize(nullptr));
  const std::string limit(1536, 'a');
  log.Send(limit.c_str());
  log.Send((limit + "b").c_str());
  log.Send("%s", std::string(5000, 'c').c_str());
  log.Shutdown();
  const std::string expected = "-- System Log Opened --\n\n" + limit + "\n" + std::string(2047, 'c') + "\n" +
                               "\n-- System Log Closed --\n";
  EXPECT_EQ(test::ReadFile("systemlog.txt"), expected);
}

TEST_F(LogTest, AFileThatCannotBeCreatedFailsInitialize) {
  Basalt::Log log("no/such/dir/systemlog.txt");
  EXPECT_FALSE(log.Initialize(nullptr));
  log.Send("nothing");
  EXPECT_FALSE(log.Shutdown());
  Basalt::g_pFileSystem = nullptr;
  Basalt::Log orphan("systemlog.txt");
  EXPECT_FALSE(orphan.Initialize(nullptr));
}

TEST_F(LogTest, ARepeatedMessageIsWrittenOnceAndCountedWhenAnotherFollowsOrTheLogCloses) {
  Basalt::Log log("systemlog.txt");
  ASSERT_TRUE(log.Initialize(nullptr));
  for (int i = 0; i < 1000; ++i) log.Send("Failed to read WAV file %s", "kick.wav");
  EXPECT_EQ(test::ReadFile("systemlog.txt"), "-- System Log Opened --\n\nFailed to read WAV file kick.wav\n");
  log.Send("other");
  log.Send("other");
  log.Send("kick");
  log.Send("kick");
  log.Send("kick");
  log.Shutdown();
  EXPECT_EQ(test::ReadFile("systemlog.txt"),
            "-- System Log Opened --\n\nFailed to read WAV file kick.wav\nLast message repeated 999 times\n"
            "other\nLast message repeated 1 time\nkick\nLast message repeated 2 times\n"
            "\n-- System Log Closed --\n");
}

TEST_F(LogTest, TheFileStopsAtItsCapSaysSoAndStillCloses) {
  constexpr size_t kCap = 8192;
  Basalt::Log log("systemlog.txt", kCap);
  ASSERT_TRUE(log.Initialize(nullptr));
  for (int i = 0; i < 1000; ++i) log.Send("(settings.cfg : %d) unknown command or cvar: 'garbage'", i);
  log.Shutdown();
  const std::string text = test::ReadFile("systemlog.txt");
  EXPECT_LE(text.size(), kCap);
  EXPECT_GT(text.size(), kCap - 512);
  const std::string notice = "-- The log has reached its size cap of 8192 bytes: later messages are not written --\n";
  ASSERT_NE(text.find(notice), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.find(notice)), notice + "\n-- System Log Closed --\n");
  EXPECT_EQ(text.find("(settings.cfg : 999)"), std::string::npos);
}

}  // namespace
