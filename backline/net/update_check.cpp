#include "backline/net/update_check.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "backline/net/socket_sys_posix.h"
#include "basalt/core/cvar.h"
#include "basalt/core/log.h"

// The defaults name no real host: a user who runs an update server sets them.
char g_updateHost[128] = "updates.padlark.invalid";
int g_updatePort = 80;
char g_homePage[128] = "https://padlark.invalid/";

namespace {

const Basalt::cvar kUpdateHost(g_updateHost, "g_updateHost");
const Basalt::cvar kUpdatePort(&g_updatePort, "g_updatePort");
const Basalt::cvar kHomePage(g_homePage, "g_homePage");

constexpr int kReceiveBuffer = 2048;
constexpr auto kReplyTimeout = std::chrono::milliseconds(2000);
constexpr unsigned kMaxVersionCompare = 63;

// Sends the request: its lines end with a lone line feed, and the
// terminating NUL is sent too.
bool SendRequest(ITCPClientSocket* client, const char* host) {
  const std::string request = std::string("GET /updates.txt HTTP/1.0\nHost: ") + host + "\n\n";
  const int length = static_cast<int>(request.size() + 1);
  return client->Send(request.c_str(), length) == length;
}

// Reads the first block of the reply; true when it names another version.
bool ReadReply(ITCPClientSocket* client, const char* version, const UpdateLog& log) {
  char buffer[kReceiveBuffer] = {};
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const int received = client->Receive(buffer, kReceiveBuffer - 1);
    if (received > 0) {
      buffer[received] = '\0';
      log("network received:\n-----------------------------");
      return ReplyNamesOtherVersion(buffer, version);
    }
    if (received < 0) {
      log("network error");
      return false;
    }
    if (std::chrono::steady_clock::now() - start > kReplyTimeout) {
      log("network time out");
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace

bool ReplyNamesOtherVersion(const char* reply, const char* version) {
  const char* line = std::strstr(reply, "PL1: version");
  if (!line) return false;
  const char* received = line + std::strlen("PL1: ");
  for (unsigned i = 0; i < kMaxVersionCompare; ++i) {
    const char c = received[i];
    if (c == '\n' || c == '\r' || c == '\0') return false;
    if (c != version[i]) return true;
  }
  return false;
}

bool netCheckForUpdates(const char* version, const char* host, unsigned port, const UpdateLog& log) {
  SocketSysPosix sockets;
  if (!sockets.Init()) {
    log("netCheckForUpdates() : failed to initialize SocketSysPosix");
    return false;
  }
  NetAddress server;
  if (!sockets.ResolveHostName(host, &server)) {
    log("netCheckForUpdates() : failed to get host name");
    sockets.Shutdown();
    return false;
  }
  char dotted[16];
  std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", server.ip[0], server.ip[1], server.ip[2], server.ip[3]);
  ITCPClientSocket* client = sockets.ConnectTCP(dotted, port, true, false);
  if (!client) {
    sockets.Shutdown();
    log("netCheckForUpdates() : failed to create client");
    return false;
  }
  const bool update = SendRequest(client, host) && ReadReply(client, version, log);
  sockets.DestroyTCPClient(client);
  sockets.Shutdown();
  return update;
}

struct UpdateCheckJob::Shared {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool update = false;
  std::vector<std::string> lines;
};

bool UpdateCheckJob::Start(const char* version) {
  if (m_started) return false;
  auto shared = std::make_shared<Shared>();
  const std::string versionText = version, host = g_updateHost;
  const unsigned port = static_cast<unsigned>(g_updatePort);
  try {
    m_thread = std::thread([shared, versionText, host, port] {
      const bool update = netCheckForUpdates(versionText.c_str(), host.c_str(), port, [&shared](const char* line) {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->lines.emplace_back(line);
      });
      std::lock_guard<std::mutex> lock(shared->mutex);
      shared->update = update;
      shared->done = true;
      shared->finished.notify_all();
    });
  } catch (const std::system_error&) {
    return false;  // no thread: the caller goes on without the check
  }
  m_shared = std::move(shared);
  m_started = true;
  return true;
}

bool UpdateCheckJob::WaitFinished(unsigned milliseconds) {
  if (!m_shared) return false;
  bool done;
  {
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    done =
        m_shared->finished.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_shared->done; });
  }
  FlushLog();
  if (done && m_thread.joinable()) m_thread.join();
  return done;
}

bool UpdateCheckJob::UpdateAvailable() const {
  if (!m_shared) return false;
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  return m_shared->done && m_shared->update;
}

void UpdateCheckJob::Abandon() {
  if (m_thread.joinable()) m_thread.detach();
  m_shared.reset();
}

void UpdateCheckJob::FlushLog() {
  std::vector<std::string> lines;
  {
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    lines.swap(m_shared->lines);
  }
  if (!Basalt::g_pSystemLog) return;
  for (const std::string& line : lines) Basalt::g_pSystemLog->Send("%s", line.c_str());
}
