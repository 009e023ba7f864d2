#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "backline/net/socket_sys_posix.h"

namespace {

const NetAddress kLoopback = {{127, 0, 0, 1}, 0};

class SocketSysTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sockets.Initialize()); }
  void TearDown() override { sockets.Shutdown(); }
  // A listening server on a free loopback port.
  ITCPServerSocket* Listen(bool blocking, unsigned* port) {
    for (unsigned p = 41000; p < 41100; ++p) {
      if (ITCPServerSocket* server = sockets.CreateTCPServer(p, 4, false, blocking, true, &kLoopback)) {
        *port = p;
        return server;
      }
    }
    return nullptr;
  }
  SocketSysPosix sockets;
};

TEST_F(SocketSysTest, ReceiveSaysWouldBlockThenDataThenPeerClosed) {
  unsigned port = 0;
  ITCPServerSocket* server = Listen(false, &port);
  ASSERT_NE(server, nullptr);
  EXPECT_EQ(server->Accept(), nullptr);  // nothing pending on a non-blocking server
  ITCPClientSocket* client = sockets.ConnectTCP("127.0.0.1", port, true, false);
  ASSERT_NE(client, nullptr);
  EXPECT_TRUE(client->GetNoDelay());
  ITCPClientSocket* peer = nullptr;
  for (int i = 0; i < 100 && !peer; ++i) {
    peer = server->Accept();
    if (!peer) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_NE(peer, nullptr);
  char buffer[16];
  EXPECT_EQ(client->Receive(buffer, sizeof buffer), 0);
  EXPECT_EQ(peer->Send("hello", 5), 5);
  int got = 0;
  for (int i = 0; i < 100 && got == 0; ++i) {
    got = client->Receive(buffer, sizeof buffer);
    if (got == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), "hello");
  sockets.DestroyTCPClient(peer);
  int closed = 0;
  for (int i = 0; i < 100 && closed == 0; ++i) {
    closed = client->Receive(buffer, sizeof buffer);
    if (closed == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(closed, -1);
  EXPECT_TRUE(client->SetNoDelay(false));
  EXPECT_FALSE(client->GetNoDelay());
  sockets.DestroyTCPClient(client);
  sockets.DestroyTCPServer(server);
}

TEST_F(SocketSysTest, OnlyPlainDottedAddressesSkipTheNameLookup) {
  NetAddress address;
  ASSERT_TRUE(ParseDottedIPv4("192.168.100.200", &address));
  EXPECT_EQ(address.ip[0], 192);
  EXPECT_EQ(address.ip[3], 200);
  EXPECT_FALSE(ParseDottedIPv4("192.168.100.2000", &address));  // 16 characters
  EXPECT_FALSE(ParseDottedIPv4("10.0.0.x", &address));
  EXPECT_FALSE(ParseDottedIPv4("1.2.3", &address));
  EXPECT_FALSE(ParseDottedIPv4("localhost", &address));
  // Nothing listens on port 1 of the loopback: refused without any lookup.
  EXPECT_EQ(sockets.ConnectTCP("127.0.0.1", 1, false, true), nullptr);
  EXPECT_EQ(sockets.ConnectTCP(nullptr, 80, false, true), nullptr);
}

TEST_F(SocketSysTest, ReverseLookupRespectsTheCapacity) {
  const uint8_t loopback[4] = {127, 0, 0, 1};
  char full[256];
  if (!sockets.GetHostName(loopback, full, sizeof full)) GTEST_SKIP() << "no name for 127.0.0.1 here";
  char cut[8];
  ASSERT_TRUE(sockets.GetHostName(loopback, cut, sizeof cut));
  EXPECT_EQ(std::string(cut), std::string(full).substr(0, 7));
}

TEST_F(SocketSysTest, DatagramsArriveWithTheSendersAddress) {
  IUDPSocket* receiver = nullptr;
  unsigned port = 0;
  for (unsigned p = 42000; p < 42100 && !receiver; ++p)
    if ((receiver = sockets.CreateUDP(p, false, true, &kLoopback))) port = p;
  ASSERT_NE(receiver, nullptr);
  IUDPSocket* sender = sockets.CreateUDP(0, true, false, &kLoopback);
  ASSERT_NE(sender, nullptr);
  NetAddress from = {{9, 9, 9, 9}, 9};
  char buffer[32];
  EXPECT_EQ(receiver->ReceiveFrom(&from, buffer, sizeof buffer), 0);
  EXPECT_EQ(from.port, 0u);
  EXPECT_EQ(from.ip[0], 0);
  NetAddress to = kLoopback;
  to.port = port;
  EXPECT_EQ(sender->SendTo(to, "ping", 4), 4);
  int got = 0;
  for (int i = 0; i < 100 && got == 0; ++i) {
    got = receiver->ReceiveFrom(&from, buffer, sizeof buffer);
    if (got == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(got, 4);
  EXPECT_EQ(from.ip[0], 127);
  EXPECT_NE(from.port, 0u);
  EXPECT_GT(receiver->GetMaxMessageSize(), 0);
  sockets.DestroyUDP(sender);
  sockets.DestroyUDP(receiver);
}

}  // namespace
