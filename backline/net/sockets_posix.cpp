#include "backline/net/sockets_posix.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace socket_posix {

bool SetBlocking(int fd, bool blocking) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags < 0) return false;
  return fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK)) == 0;
}

bool SetNoDelay(int fd, bool on) {
  const int value = on ? 1 : 0;
  return setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &value, sizeof value) == 0;
}

sockaddr_in ToSockaddr(const NetAddress& address) {
  sockaddr_in out = {};
  out.sin_family = AF_INET;
  std::memcpy(&out.sin_addr, address.ip, 4);
  out.sin_port = htons(static_cast<uint16_t>(address.port & 0xFFFF));
  return out;
}

NetAddress FromSockaddr(const sockaddr_in& address) {
  NetAddress out = {};
  std::memcpy(out.ip, &address.sin_addr, 4);
  out.port = ntohs(address.sin_port);
  return out;
}

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }

bool WaitFor(int fd, short events, unsigned milliseconds) {
  pollfd watched = {fd, events, 0};
  const int timeout = static_cast<int>(std::min<unsigned>(milliseconds, INT_MAX));
  int ready;
  do {
    ready = poll(&watched, 1, timeout);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

}  // namespace socket_posix

namespace {
// MSG_NOSIGNAL: a peer that has gone away is an error result, not a SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
}  // namespace

TCPClientSocketPosix::~TCPClientSocketPosix() { close(m_fd); }

int TCPClientSocketPosix::Send(const void* data, int length) {
  if (length < 0) return -1;
  const ssize_t sent = send(m_fd, data, static_cast<size_t>(length), kSendFlags);
  if (sent < 0) return socket_posix::WouldBlock() ? 0 : -1;
  if (sent == 0 && length > 0) return -1;
  return static_cast<int>(sent);
}

int TCPClientSocketPosix::Receive(void* buffer, int capacity) {
  if (capacity <= 0) return -1;
  const ssize_t got = recv(m_fd, buffer, static_cast<size_t>(capacity), 0);
  if (got < 0) return socket_posix::WouldBlock() ? 0 : -1;
  if (got == 0) return -1;  // the peer closed the connection
  return static_cast<int>(got);
}

bool TCPClientSocketPosix::WaitReadable(unsigned milliseconds) {
  return socket_posix::WaitFor(m_fd, POLLIN, milliseconds);
}

bool TCPClientSocketPosix::GetNoDelay() {
  int value = 0;
  socklen_t size = sizeof value;
  return getsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &value, &size) == 0 && value != 0;
}

bool TCPClientSocketPosix::SetNoDelay(bool on) { return socket_posix::SetNoDelay(m_fd, on); }

bool TCPClientSocketPosix::SetBlocking(bool blocking) { return socket_posix::SetBlocking(m_fd, blocking); }

TCPServerSocketPosix::~TCPServerSocketPosix() { close(m_fd); }

ITCPClientSocket* TCPServerSocketPosix::Accept() {
  sockaddr_in peer = {};
  socklen_t size = sizeof peer;
  const int fd = accept(m_fd, reinterpret_cast<sockaddr*>(&peer), &size);
  if (fd < 0) return nullptr;
  return new TCPClientSocketPosix(fd, socket_posix::FromSockaddr(peer));
}

UDPSocketPosix::~UDPSocketPosix() { close(m_fd); }

int UDPSocketPosix::SendTo(const NetAddress& to, const void* data, int length) {
  if (length < 0) return -1;
  const sockaddr_in address = socket_posix::ToSockaddr(to);
  const ssize_t sent = sendto(m_fd, data, static_cast<size_t>(length), kSendFlags,
                              reinterpret_cast<const sockaddr*>(&address), sizeof address);
  if (sent < 0) return socket_posix::WouldBlock() ? 0 : -1;
  return static_cast<int>(sent);
}

int UDPSocketPosix::ReceiveFrom(NetAddress* from, void* buffer, int capacity) {
  if (capacity < 0) return -1;
  sockaddr_in address = {};
  socklen_t size = sizeof address;
  const ssize_t got =
      recvfrom(m_fd, buffer, static_cast<size_t>(capacity), 0, reinterpret_cast<sockaddr*>(&address), &size);
  if (got < 0) {
    if (!socket_posix::WouldBlock()) return -1;
    if (from) *from = NetAddress{};
    return 0;
  }
  if (from) *from = socket_posix::FromSockaddr(address);
  return static_cast<int>(got);
}

bool UDPSocketPosix::SetBlocking(bool blocking) { return socket_posix::SetBlocking(m_fd, blocking); }

// The largest payload of one IPv4 datagram.
int UDPSocketPosix::GetMaxMessageSize() {
  int type = 0;
  socklen_t size = sizeof type;
  if (getsockopt(m_fd, SOL_SOCKET, SO_TYPE, &type, &size) != 0) return -1;
  return 65507;
}
