#pragma once
// The three socket kinds on BSD sockets. Each owns its descriptor and closes
// it when destroyed; SocketSysPosix creates them.
#include <netinet/in.h>

#include "backline/net/socket_sys.h"

class TCPClientSocketPosix : public ITCPClientSocket {
 public:
  TCPClientSocketPosix(int fd, const NetAddress& remote) : m_fd(fd), m_remote(remote) {}
  ~TCPClientSocketPosix() override;
  int Send(const void* data, int length) override;
  int Receive(void* buffer, int capacity) override;
  bool WaitReadable(unsigned milliseconds) override;
  bool GetNoDelay() override;
  bool SetNoDelay(bool on) override;
  bool SetBlocking(bool blocking) override;
  const NetAddress& Remote() const { return m_remote; }

 private:
  int m_fd;
  NetAddress m_remote;
};

class TCPServerSocketPosix : public ITCPServerSocket {
 public:
  explicit TCPServerSocketPosix(int fd) : m_fd(fd) {}
  ~TCPServerSocketPosix() override;
  ITCPClientSocket* Accept() override;

 private:
  int m_fd;
};

class UDPSocketPosix : public IUDPSocket {
 public:
  explicit UDPSocketPosix(int fd) : m_fd(fd) {}
  ~UDPSocketPosix() override;
  int SendTo(const NetAddress& to, const void* data, int length) override;
  int ReceiveFrom(NetAddress* from, void* buffer, int capacity) override;
  bool SetBlocking(bool blocking) override;
  int GetMaxMessageSize() override;

 private:
  int m_fd;
};

// Shared descriptor helpers of the socket layer.
namespace socket_posix {
bool SetBlocking(int fd, bool blocking);
bool SetNoDelay(int fd, bool on);
// sockaddr_in from a NetAddress (port converted to network order) and back.
sockaddr_in ToSockaddr(const NetAddress& address);
NetAddress FromSockaddr(const sockaddr_in& address);
// Would the last failed call have blocked?
bool WouldBlock();
// Waits at most milliseconds for events (poll's POLLIN, POLLOUT) on fd;
// false when the time ran out or poll failed.
bool WaitFor(int fd, short events, unsigned milliseconds);
}  // namespace socket_posix
