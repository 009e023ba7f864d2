#include "backline/net/update_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/engine_fixture.h"
#include "tests/support/fake_update_server.h"

namespace {

class UpdateCheckTest : public test::EngineFixture {
 protected:
  bool Check(unsigned port) {
    return netCheckForUpdates("version 1.36", "127.0.0.1", port, [this](const char* line) { lines.push_back(line); });
  }
  std::vector<std::string> lines;
};

TEST(ReplyTest, OnlyAnotherVersionOnThePL1LineIsAnUpdate) {
  EXPECT_FALSE(ReplyNamesOtherVersion("HTTP/1.0 200 OK\n\nPL1: version 1.36\n", "version 1.36"));
  EXPECT_FALSE(ReplyNamesOtherVersion("PL1: version 1.36\r\nPL2: version 9", "version 1.36"));
  EXPECT_TRUE(ReplyNamesOtherVersion("PL1: version 1.37\n", "version 1.36"));
  EXPECT_TRUE(ReplyNamesOtherVersion("PL1: version 1.30\n", "version 1.36"));
  EXPECT_TRUE(ReplyNamesOtherVersion("PL1: version 1.360", "version 1.36"));
  EXPECT_FALSE(ReplyNamesOtherVersion("PL1: version 1.3\n", "version 1.36"));  // ends early
  EXPECT_FALSE(ReplyNamesOtherVersion("nothing to see", "version 1.36"));
  EXPECT_FALSE(ReplyNamesOtherVersion("", "version 1.36"));
}

TEST_F(UpdateCheckTest, SendsTheExactRequestAndReadsTheAnswer) {
  test::FakeUpdateServer same("HTTP/1.0 200 OK\n\nPL1: version 1.36\n", 0);
  EXPECT_FALSE(Check(same.Port()));
  EXPECT_EQ(same.Request(), std::string("GET /updates.txt HTTP/1.0\nHost: 127.0.0.1\n\n") + '\0');
  EXPECT_EQ(lines, (std::vector<std::string>{"network received:\n-----------------------------"}));

  test::FakeUpdateServer newer("HTTP/1.0 200 OK\n\nPL1: version 1.37\n", 0);
  EXPECT_TRUE(Check(newer.Port()));
  test::FakeUpdateServer silent("HTTP/1.0 200 OK\n\nnothing here\n", 0);
  EXPECT_FALSE(Check(silent.Port()));
}

TEST_F(UpdateCheckTest, AFullBufferIsReadSafely) {
  std::string reply = "PL1: version 1.37\n";
  reply.resize(2048, 'x');
  test::FakeUpdateServer full(reply, 0);
  EXPECT_TRUE(Check(full.Port()));
  std::string late(2047, 'x');
  late += "PL1: version 1.37\n";  // beyond the first 2047 bytes: not read
  test::FakeUpdateServer beyond(late, 0);
  EXPECT_FALSE(Check(beyond.Port()));
}

TEST_F(UpdateCheckTest, ASlowClosedOrAbsentServerMeansNoUpdate) {
  test::FakeUpdateServer slow("PL1: version 1.37\n", 2500);
  EXPECT_FALSE(Check(slow.Port()));
  EXPECT_EQ(lines.back(), "network time out");
  test::FakeUpdateServer rude("", 0, false);
  EXPECT_FALSE(Check(rude.Port()));
  EXPECT_EQ(lines.back(), "network error");
  EXPECT_FALSE(netCheckForUpdates("version 1.36", "127.0.0.1", 1, [this](const char* l) { lines.push_back(l); }));
  EXPECT_EQ(lines.back(), "netCheckForUpdates() : failed to create client");
}

TEST_F(UpdateCheckTest, AJobReportsItsAnswerAndLogsOnTheMainThread) {
  test::FakeUpdateServer newer("PL1: version 1.37\n", 0);
  std::strcpy(g_updateHost, "127.0.0.1");
  g_updatePort = static_cast<int>(newer.Port());
  UpdateCheckJob job;
  ASSERT_TRUE(job.Start("version 1.36"));
  EXPECT_FALSE(job.Start("version 1.36"));  // one check per job
  bool finished = false;
  for (int i = 0; i < 400 && !finished; ++i) finished = job.WaitFinished(5);
  ASSERT_TRUE(finished);
  EXPECT_TRUE(job.UpdateAvailable());
  EXPECT_NE(LogText().find("network received:"), std::string::npos);
}

TEST_F(UpdateCheckTest, AWorkerStuckInConnectIsAbandonedWithoutWaiting) {
  const test::SilentServer silent;
  std::strcpy(g_updateHost, "127.0.0.1");
  g_updatePort = static_cast<int>(silent.Port());
  const auto start = std::chrono::steady_clock::now();
  {
    UpdateCheckJob job;
    ASSERT_TRUE(job.Start("version 1.36"));
    EXPECT_FALSE(job.WaitFinished(300));
    job.Abandon();
    EXPECT_FALSE(job.UpdateAvailable());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
