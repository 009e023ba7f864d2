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

// Limits no machine, however loaded, comes near: a test that must see a
// time-out sets a short one against a server that cannot answer in time.
constexpr UpdateLimits kPatient = {600000, 600000};

using Parts = std::vector<std::string>;

class UpdateCheckTest : public test::EngineFixture {
 protected:
  bool Check(unsigned port, const UpdateLimits& limits = kPatient) {
    return AskForUpdate(
        "version 1.36", "127.0.0.1", port, [this](const char* line) { lines.push_back(line); }, limits);
  }
  std::vector<std::string> lines;
};

TEST(ReplyTest, OnlyANewerVersionOnThePL1LineIsAnUpdate) {
  EXPECT_FALSE(ReplyNamesNewerVersion("HTTP/1.0 200 OK\n\nPL1: version 1.36\n", "version 1.36"));
  EXPECT_FALSE(ReplyNamesNewerVersion("PL1: version 1.36\r\nPL2: version 9", "version 1.36"));
  EXPECT_TRUE(ReplyNamesNewerVersion("PL1: version 1.37\n", "version 1.36"));
  EXPECT_TRUE(ReplyNamesNewerVersion("PL1: version 1.360", "version 1.36"));
  EXPECT_FALSE(ReplyNamesNewerVersion("PL1: version 1.3\n", "version 1.36"));  // ends early
  EXPECT_FALSE(ReplyNamesNewerVersion("nothing to see", "version 1.36"));
  EXPECT_FALSE(ReplyNamesNewerVersion("", "version 1.36"));
}

TEST(ReplyTest, VersionsCompareAsNumbersWhateverFollowsThem) {
  const char* const older[] = {"PL1: version 1.30\n", "PL1: version 1.4\n", "PL1: version 0.99.9\n",
                               "PL1: version 1.35.99"};
  for (const char* reply : older) EXPECT_FALSE(ReplyNamesNewerVersion(reply, "version 1.36")) << reply;
  const char* const same[] = {"PL1: version 1.36 \n", "PL1: version 1.36\t\r\n", "PL1: version 1.36.0",
                              "PL1: version  1.36 (stable)", "PL1: version 01.036\n"};
  for (const char* reply : same) EXPECT_FALSE(ReplyNamesNewerVersion(reply, "version 1.36")) << reply;
  const char* const newer[] = {"PL1: version 1.37 \n", "PL1: version 2\n", "PL1: version 1.36.1", "PL1: version 10.0"};
  for (const char* reply : newer) EXPECT_TRUE(ReplyNamesNewerVersion(reply, "version 1.36")) << reply;
  for (const char* reply : {"PL1: version \n", "PL1: version one.37", "PL1: version .37"})
    EXPECT_FALSE(ReplyNamesNewerVersion(reply, "version 1.36")) << reply;
  EXPECT_TRUE(ReplyNamesNewerVersion("PL1: version 99999999999999999999999.1", "version 1.36"));
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

TEST_F(UpdateCheckTest, TheReplyIsReadUntilTheServerClosesTheConnection) {
  test::FakeUpdateServer apart(Parts{"HTTP/1.0 200 OK\nContent-Type: text/plain\n\n", "PL1: version 1.37\n"}, 300);
  EXPECT_TRUE(Check(apart.Port()));
  test::FakeUpdateServer trickle(Parts{"PL1: ver", "sion 1.", "37\n"}, 100);
  EXPECT_TRUE(Check(trickle.Port()));
  EXPECT_EQ(lines.back(), "network received:\n-----------------------------");
}

TEST_F(UpdateCheckTest, AFullBufferIsReadSafely) {
  std::string reply = "PL1: version 1.37\n";
  reply.resize(2048, 'x');
  test::FakeUpdateServer full(reply, 0);
  EXPECT_TRUE(Check(full.Port()));
  std::string late(2047, 'x');
  late += "PL1: version 1.37\n";  // beyond the first 2047 bytes: not read
  test::FakeUpdateServer beyond(Parts{late.substr(0, 1000), late.substr(1000)}, 50);
  EXPECT_FALSE(Check(beyond.Port()));
}

TEST_F(UpdateCheckTest, ASlowClosedOrAbsentServerMeansNoUpdate) {
  test::FakeUpdateServer slow("PL1: version 1.37\n", test::FakeUpdateServer::HoldUntilReleased{});
  EXPECT_FALSE(Check(slow.Port(), {600000, 100}));
  EXPECT_EQ(lines.back(), "network time out");
  slow.Release();
  test::FakeUpdateServer rude("", 0, false);
  EXPECT_FALSE(Check(rude.Port()));
  EXPECT_EQ(lines.back(), "network error");
  EXPECT_FALSE(Check(1));
  EXPECT_EQ(lines.back(), "netCheckForUpdates() : failed to create client");
}

TEST_F(UpdateCheckTest, AConnectThatHangsGivesUpAtItsLimit) {
  const test::SilentServer silent;  // the connect would hang for minutes
  EXPECT_FALSE(Check(silent.Port(), {100, 600000}));
  EXPECT_EQ(lines.back(), "netCheckForUpdates() : failed to create client");
}

TEST_F(UpdateCheckTest, AJobReportsItsAnswerAndLogsOnTheMainThread) {
  test::FakeUpdateServer newer("PL1: version 1.37\n", 0);
  std::strcpy(g_updateHost, "127.0.0.1");
  g_updatePort = static_cast<int>(newer.Port());
  UpdateCheckJob job;
  ASSERT_TRUE(job.Start("version 1.36", kPatient));
  EXPECT_FALSE(job.Start("version 1.36"));  // one check per job
  while (!job.WaitFinished(50)) {
  }
  EXPECT_TRUE(job.UpdateAvailable());
  EXPECT_NE(LogText().find("network received:"), std::string::npos);
}

// Were the job to wait for its worker, this test would take ten minutes: the
// worker stays in its connect until its limit while the silent server lives.
TEST_F(UpdateCheckTest, AWorkerStuckInConnectIsAbandonedWithoutWaiting) {
  const test::SilentServer silent;
  std::strcpy(g_updateHost, "127.0.0.1");
  g_updatePort = static_cast<int>(silent.Port());
  UpdateCheckJob job;
  ASSERT_TRUE(job.Start("version 1.36", kPatient));
  EXPECT_FALSE(job.WaitFinished(100));
  job.Abandon();
  EXPECT_FALSE(job.UpdateAvailable());
  EXPECT_FALSE(job.WaitFinished(0));
}

}  // namespace
