#pragma once
#include "backline/net/socket_sys.h"

// The socket system on BSD sockets. Initialize and Shutdown have nothing to start
// or stop here but keep the contract: Initialize before anything else.
class SocketSysPosix : public ISocketSys {
 public:
  bool Initialize() override;
  bool Shutdown() override;
  void SetConnectTimeout(unsigned milliseconds) override { m_connectTimeoutMs = milliseconds; }
  bool ResolveHostName(const char* host, NetAddress* out) override;
  bool GetHostName(const uint8_t ip[4], char* out, unsigned capacity) override;
  ITCPServerSocket* CreateTCPServer(unsigned port, int backlog, bool noDelay, bool blocking, bool reuseAddress,
                                    const NetAddress* local = nullptr) override;
  ITCPClientSocket* CreateTCPClient(const NetAddress& remote, bool noDelay, bool blocking,
                                    const NetAddress* local = nullptr) override;
  ITCPClientSocket* ConnectTCP(const char* host, unsigned port, bool noDelay, bool blocking,
                               const NetAddress* local = nullptr) override;
  void DestroyUDP(IUDPSocket* socket) override;
  void DestroyTCPServer(ITCPServerSocket* socket) override;
  void DestroyTCPClient(ITCPClientSocket* socket) override;
  IUDPSocket* CreateUDP(unsigned port, bool blocking, bool reuseAddress, const NetAddress* local = nullptr) override;

 private:
  unsigned m_connectTimeoutMs = 0;
};
