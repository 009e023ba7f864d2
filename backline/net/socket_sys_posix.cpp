#include "backline/net/socket_sys_posix.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "backline/net/sockets_posix.h"

namespace {

// Binds fd to local (or any address) at port.
bool Bind(int fd, const NetAddress* local, unsigned port) {
  NetAddress address = local ? *local : NetAddress{};
  address.port = port;
  const sockaddr_in where = socket_posix::ToSockaddr(address);
  return bind(fd, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0;
}

bool ReuseAddress(int fd) {
  const int on = 1;
  return setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
}

// The error a non-blocking connect ended with (0 when it succeeded).
int PendingError(int fd) {
  int error = 0;
  socklen_t size = sizeof error;
  return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 ? error : errno;
}

// Connects fd to where, giving up after timeoutMs (0: as long as the system
// lets it); fd is blocking again afterwards.
bool Connect(int fd, const sockaddr_in& where, unsigned timeoutMs) {
  const auto* address = reinterpret_cast<const sockaddr*>(&where);
  if (timeoutMs == 0) return connect(fd, address, sizeof where) == 0;
  if (!socket_posix::SetBlocking(fd, false)) return false;
  if (connect(fd, address, sizeof where) != 0 &&
      (errno != EINPROGRESS || !socket_posix::WaitFor(fd, POLLOUT, timeoutMs) || PendingError(fd) != 0))
    return false;
  return socket_posix::SetBlocking(fd, true);
}

// Closes fd and answers null: the common end of every failed creation step.
template <typename T>
T* Fail(int fd) {
  close(fd);
  return nullptr;
}

}  // namespace

bool ParseDottedIPv4(const char* text, NetAddress* out) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 15) return false;
  int dots = 0;
  for (const char* c = text; *c; ++c) {
    if (*c == '.')
      ++dots;
    else if (!std::isdigit(static_cast<unsigned char>(*c)))
      return false;
  }
  in_addr address;
  if (dots != 3 || inet_pton(AF_INET, text, &address) != 1) return false;
  *out = NetAddress{};
  std::memcpy(out->ip, &address, 4);
  return true;
}

bool SocketSysPosix::Initialize() { return true; }

bool SocketSysPosix::Shutdown() { return true; }

bool SocketSysPosix::ResolveHostName(const char* host, NetAddress* out) {
  if (!host || !out) return false;
  addrinfo hints = {};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
  *out = socket_posix::FromSockaddr(*reinterpret_cast<const sockaddr_in*>(found->ai_addr));
  out->port = 0;
  freeaddrinfo(found);
  return true;
}

bool SocketSysPosix::GetHostName(const uint8_t ip[4], char* out, unsigned capacity) {
  if (!out || capacity == 0) return false;
  out[0] = '\0';
  NetAddress address = {};
  std::memcpy(address.ip, ip, 4);
  const sockaddr_in where = socket_posix::ToSockaddr(address);
  char name[NI_MAXHOST];
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&where), sizeof where, name, sizeof name, nullptr, 0,
                  NI_NAMEREQD) != 0)
    return false;
  std::strncpy(out, name, capacity - 1);
  out[capacity - 1] = '\0';
  return true;
}

ITCPServerSocket* SocketSysPosix::CreateTCPServer(unsigned port, int backlog, bool noDelay, bool blocking,
                                                  bool reuseAddress, const NetAddress* local) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return nullptr;
  if ((reuseAddress && !ReuseAddress(fd)) || !Bind(fd, local, port) || listen(fd, backlog) != 0 ||
      (noDelay && !socket_posix::SetNoDelay(fd, true)) || (!blocking && !socket_posix::SetBlocking(fd, false)))
    return Fail<ITCPServerSocket>(fd);
  return new TCPServerSocketPosix(fd);
}

ITCPClientSocket* SocketSysPosix::CreateTCPClient(const NetAddress& remote, bool noDelay, bool blocking,
                                                  const NetAddress* local) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return nullptr;
  if (local && !Bind(fd, local, local->port)) return Fail<ITCPClientSocket>(fd);
  if (!Connect(fd, socket_posix::ToSockaddr(remote), m_connectTimeoutMs)) return Fail<ITCPClientSocket>(fd);
  if ((noDelay && !socket_posix::SetNoDelay(fd, true)) || (!blocking && !socket_posix::SetBlocking(fd, false)))
    return Fail<ITCPClientSocket>(fd);
  return new TCPClientSocketPosix(fd, remote);
}

ITCPClientSocket* SocketSysPosix::ConnectTCP(const char* host, unsigned port, bool noDelay, bool blocking,
                                             const NetAddress* local) {
  if (!host) return nullptr;
  NetAddress remote;
  if (!ParseDottedIPv4(host, &remote) && !ResolveHostName(host, &remote)) return nullptr;
  remote.port = port;
  return CreateTCPClient(remote, noDelay, blocking, local);
}

void SocketSysPosix::DestroyUDP(IUDPSocket* socket) { delete socket; }

void SocketSysPosix::DestroyTCPServer(ITCPServerSocket* socket) { delete socket; }

void SocketSysPosix::DestroyTCPClient(ITCPClientSocket* socket) { delete socket; }

IUDPSocket* SocketSysPosix::CreateUDP(unsigned port, bool blocking, bool reuseAddress, const NetAddress* local) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return nullptr;
  if ((reuseAddress && !ReuseAddress(fd)) || !Bind(fd, local, port) ||
      (!blocking && !socket_posix::SetBlocking(fd, false)))
    return Fail<IUDPSocket>(fd);
  return new UDPSocketPosix(fd);
}
