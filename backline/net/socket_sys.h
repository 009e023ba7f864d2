#pragma once
// A small socket layer: a socket system that creates and destroys TCP client,
// TCP server and UDP sockets. Results are plain values: false, null, or -1
// for failure, 0 from a byte-count operation that would block. Nothing logs;
// callers do. Objects are not locked: use each from one thread at a time.
#include <cstdint>

// An IPv4 address (four bytes in network order, as a host lookup returns
// them) and a port in host order (low 16 bits used).
struct NetAddress {
  uint8_t ip[4];
  uint32_t port;
};

class ITCPClientSocket {
 public:
  virtual ~ITCPClientSocket() = default;
  // Bytes sent; 0 when a non-blocking socket would block; -1 on error (also
  // when nothing was sent of a non-empty buffer).
  virtual int Send(const void* data, int length) = 0;
  // Bytes received; 0 when a non-blocking socket would block; -1 when the
  // peer closed the connection or on error.
  virtual int Receive(void* buffer, int capacity) = 0;
  // Blocks until Receive has something to say (bytes, the peer's close or an
  // error), at most milliseconds; false when the time ran out first.
  virtual bool WaitReadable(unsigned milliseconds) = 0;
  virtual bool GetNoDelay() = 0;
  virtual bool SetNoDelay(bool on) = 0;
  virtual bool SetBlocking(bool blocking) = 0;
};

class ITCPServerSocket {
 public:
  virtual ~ITCPServerSocket() = default;
  // The next pending connection (owned by the caller, destroyed through
  // DestroyTCPClient), or null, also when a non-blocking server has none.
  virtual ITCPClientSocket* Accept() = 0;
};

class IUDPSocket {
 public:
  virtual ~IUDPSocket() = default;
  virtual int SendTo(const NetAddress& to, const void* data, int length) = 0;
  // Fills from with the sender; when it would block returns 0 and zeroes from.
  virtual int ReceiveFrom(NetAddress* from, void* buffer, int capacity) = 0;
  virtual bool SetBlocking(bool blocking) = 0;
  // The largest datagram the socket takes, or -1 when it cannot be told.
  virtual int GetMaxMessageSize() = 0;
};

// Every socket a Create operation returns belongs to the caller until it is
// handed back to the matching Destroy operation.
class ISocketSys {
 public:
  virtual ~ISocketSys() = default;
  virtual bool Initialize() = 0;
  virtual bool Shutdown() = 0;
  // TCP connects made from now on give up after milliseconds; 0 (the
  // default) lets them wait as long as the system does, minutes for a host
  // that never answers.
  virtual void SetConnectTimeout(unsigned milliseconds) = 0;
  // The first IPv4 address of host (port 0).
  virtual bool ResolveHostName(const char* host, NetAddress* out) = 0;
  // The name of an IPv4 address, at most capacity - 1 characters, always terminated.
  virtual bool GetHostName(const uint8_t ip[4], char* out, unsigned capacity) = 0;
  virtual ITCPServerSocket* CreateTCPServer(unsigned port, int backlog, bool noDelay, bool blocking, bool reuseAddress,
                                            const NetAddress* local = nullptr) = 0;
  // Connects (blocking, within the connect time-out), then applies noDelay
  // and blocking.
  virtual ITCPClientSocket* CreateTCPClient(const NetAddress& remote, bool noDelay, bool blocking,
                                            const NetAddress* local = nullptr) = 0;
  // host: a dotted IPv4 text (no lookup) or a name to resolve.
  virtual ITCPClientSocket* ConnectTCP(const char* host, unsigned port, bool noDelay, bool blocking,
                                       const NetAddress* local = nullptr) = 0;
  virtual void DestroyUDP(IUDPSocket* socket) = 0;
  virtual void DestroyTCPServer(ITCPServerSocket* socket) = 0;
  virtual void DestroyTCPClient(ITCPClientSocket* socket) = 0;
  virtual IUDPSocket* CreateUDP(unsigned port, bool blocking, bool reuseAddress, const NetAddress* local = nullptr) = 0;
};

// Parses a dotted IPv4 text of at most 15 characters (four decimal numbers,
// three dots); false for anything else, which is then a host name.
bool ParseDottedIPv4(const char* text, NetAddress* out);
