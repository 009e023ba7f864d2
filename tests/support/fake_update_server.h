#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace test {

// A socket listening on a free loopback port with the given backlog; its
// address goes to *address.
inline int ListenOnLoopback(int backlog, sockaddr_in* address) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  *address = {};
  address->sin_family = AF_INET;
  address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof *address;
  bind(fd, reinterpret_cast<sockaddr*>(address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(address), &size);
  listen(fd, backlog);
  return fd;
}

// A one-connection HTTP server on a free loopback port: it reads the request
// (up to its NUL), sends its reply (or nothing) and closes.
class FakeUpdateServer {
 public:
  struct HoldUntilReleased {};

  // The reply delayMs after the request; nothing when answer is false.
  FakeUpdateServer(std::string reply, int delayMs, bool answer = true)
      : FakeUpdateServer(answer ? std::vector<std::string>{std::move(reply)} : std::vector<std::string>{}, delayMs) {}
  // Each part pauseMs after the request or the part before it.
  FakeUpdateServer(std::vector<std::string> parts, int pauseMs) { Start(std::move(parts), pauseMs); }
  // The reply only once Release has been called.
  FakeUpdateServer(std::string reply, HoldUntilReleased) : m_held(true) { Start({std::move(reply)}, 0); }
  // A server nobody connected to stops waiting (a failed test ends, not hangs).
  ~FakeUpdateServer() {
    Release();
    shutdown(m_fd, SHUT_RDWR);
    m_thread.join();
    close(m_fd);
  }
  unsigned Port() const { return m_port; }
  void Release() {
    if (!m_releaseSent.exchange(true)) m_release.set_value();
  }
  std::string Request() {
    m_thread.join();
    m_thread = std::thread([] {});
    return m_request;
  }

 private:
  void Start(std::vector<std::string> parts, int pauseMs) {
    sockaddr_in address;
    m_fd = ListenOnLoopback(1, &address);
    m_port = ntohs(address.sin_port);
    m_released = m_release.get_future();
    m_thread = std::thread([this, parts, pauseMs] { Serve(parts, pauseMs); });
  }
  void Serve(const std::vector<std::string>& parts, int pauseMs) {
    const int client = accept(m_fd, nullptr, nullptr);
    if (client < 0) return;
    char c;
    while (recv(client, &c, 1, 0) == 1) {
      m_request += c;
      if (c == '\0') break;
    }
    if (m_held) m_released.wait();
    for (const std::string& part : parts) {
      std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
      send(client, part.data(), part.size(), MSG_NOSIGNAL);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    close(client);
  }

  int m_fd = -1;
  unsigned m_port = 0;
  bool m_held = false;
  std::promise<void> m_release;
  std::future<void> m_released;
  std::atomic<bool> m_releaseSent{false};
  std::string m_request;
  std::thread m_thread;
};

// A listener whose accept queue is full: it drops further connection
// attempts, so a connect to it hangs for minutes.
class SilentServer {
 public:
  SilentServer() {
    sockaddr_in address;
    m_listener = ListenOnLoopback(0, &address);
    m_port = ntohs(address.sin_port);
    for (int i = 0; i < 3; ++i) {
      m_fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
      connect(m_fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
  }
  ~SilentServer() {
    for (int filler : m_fillers) close(filler);
    close(m_listener);
  }
  unsigned Port() const { return m_port; }

 private:
  int m_listener;
  unsigned m_port = 0;
  std::vector<int> m_fillers;
};

}  // namespace test
