#include "backline/net/update_check.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "backline/net/socket_sys_posix.h"
#include "basalt/foundation/cvar.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/log.h"

// Each holds its default once RegisterUpdateSettings has run.
char g_updateHost[Basalt::cvar::kStringCapacity];
int g_updatePort;
char g_homePage[Basalt::cvar::kStringCapacity];

// The defaults name no real host: a user who runs an update server sets them.
void RegisterUpdateSettings() {
  using Basalt::cvar;
  static const cvar kSettings[] = {
      {g_updateHost, "g_updateHost", "updates.padlark.invalid",
       "the update server asked for `/updates.txt` (plain HTTP/1.0); its reply names the current release on a line "
       "`PL1: version 1.37`, and only a version newer than this one, compared number by number, is offered. The "
       "default names no real server: set it to one you run. The connect waits at most 4 s, the reply 2 s more"},
      {&g_updatePort, "g_updatePort", 80, "the update server's port"},
      {g_homePage, "g_homePage", "https://padlark.invalid/",
       "the page \"Visit the Padlark home page\" opens when an update is offered"},
  };
  Basalt::CVarSystem::Register(kSettings);
}

namespace {

constexpr int kReceiveBuffer = 2048;
constexpr int kVersionParts = 4;
constexpr unsigned long kLargestVersionPart = 999999999;
const char kVersionWord[] = "version";

using Clock = std::chrono::steady_clock;

// Sends the request: its lines end with a lone line feed, and the
// terminating NUL is sent too.
bool SendRequest(ITCPClientSocket* client, const char* host) {
  const std::string request = std::string("GET /updates.txt HTTP/1.0\nHost: ") + host + "\n\n";
  const int length = static_cast<int>(request.size() + 1);
  return client->Send(request.c_str(), length) == length;
}

// The milliseconds left until deadline, 0 once it has passed.
unsigned MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<unsigned>(left) : 0;
}

// Reads into buffer (capacity bytes, NUL-terminated, *filled of them read)
// until the server closes the connection or the buffer is full; false when
// replyMs ran out first.
bool ReadWholeReply(ITCPClientSocket* client, char* buffer, int capacity, unsigned replyMs, int* filled) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(replyMs);
  bool inTime = true;
  *filled = 0;
  while (*filled < capacity - 1) {
    const unsigned left = MillisecondsUntil(deadline);
    inTime = left > 0 && client->WaitReadable(left);
    if (!inTime) break;
    const int received = client->Receive(buffer + *filled, capacity - 1 - *filled);
    if (received < 0) break;  // the server has closed the connection (or it failed)
    *filled += received;
  }
  buffer[*filled] = '\0';
  return inTime;
}

// Reads the reply; true when it names a newer version.
bool ReadReply(ITCPClientSocket* client, const char* version, unsigned replyMs, const UpdateLog& log) {
  char buffer[kReceiveBuffer];
  int filled = 0;
  const bool inTime = ReadWholeReply(client, buffer, kReceiveBuffer, replyMs, &filled);
  if (!inTime) log("network time out");
  if (filled == 0) {
    if (inTime) log("network error");
    return false;
  }
  log("network received:\n-----------------------------");
  return ReplyNamesNewerVersion(buffer, version);
}

// The dot-separated numbers of a version text ("version 1.36"): at most
// four, each at most 999999999, missing ones 0.
struct VersionNumber {
  unsigned long parts[kVersionParts] = {};
};

// One number of digits at *text, moved past it.
unsigned long ReadVersionPart(const char** text) {
  unsigned long value = 0;
  for (; std::isdigit(static_cast<unsigned char>(**text)); ++*text)
    value = std::min(value * 10 + static_cast<unsigned long>(**text - '0'), kLargestVersionPart);
  return value;
}

// text starts with "version"; false when no number follows it.
bool ParseVersion(const char* text, VersionNumber* out) {
  if (std::strncmp(text, kVersionWord, std::strlen(kVersionWord)) != 0) return false;
  text += std::strlen(kVersionWord);
  while (*text == ' ' || *text == '\t') ++text;
  if (!std::isdigit(static_cast<unsigned char>(*text))) return false;
  for (int part = 0; part < kVersionParts; ++part) {
    out->parts[part] = ReadVersionPart(&text);
    if (text[0] != '.' || !std::isdigit(static_cast<unsigned char>(text[1]))) break;
    ++text;
  }
  return true;
}

bool IsNewer(const VersionNumber& offered, const VersionNumber& own) {
  return std::lexicographical_compare(own.parts, own.parts + kVersionParts, offered.parts,
                                      offered.parts + kVersionParts);
}

}  // namespace

bool ReplyNamesNewerVersion(const char* reply, const char* version) {
  const char* line = std::strstr(reply, "PL1: version");
  VersionNumber offered, own;
  return line && ParseVersion(line + std::strlen("PL1: "), &offered) && ParseVersion(version, &own) &&
         IsNewer(offered, own);
}

bool AskForUpdate(const char* version, const char* host, unsigned port, const UpdateLog& log,
                  const UpdateLimits& limits) {
  SocketSysPosix sockets;
  if (!sockets.Initialize()) {
    log("netCheckForUpdates() : failed to initialize SocketSysPosix");
    return false;
  }
  NetAddress server;
  if (!sockets.ResolveHostName(host, &server)) {
    log("netCheckForUpdates() : failed to get host name");
    sockets.Shutdown();
    return false;
  }
  sockets.SetConnectTimeout(limits.connectMs);
  char dotted[16];
  std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", server.ip[0], server.ip[1], server.ip[2], server.ip[3]);
  ITCPClientSocket* client = sockets.ConnectTCP(dotted, port, true, false);
  if (!client) {
    sockets.Shutdown();
    log("netCheckForUpdates() : failed to create client");
    return false;
  }
  const bool update = SendRequest(client, host) && ReadReply(client, version, limits.replyMs, log);
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

bool UpdateCheckJob::Start(const char* version, const UpdateLimits& limits) {
  if (m_started) return false;
  auto shared = std::make_shared<Shared>();
  const std::string versionText = version, host = g_updateHost;
  const unsigned port = static_cast<unsigned>(g_updatePort);
  try {
    m_thread = std::thread([shared, versionText, host, port, limits] {
      const auto log = [&shared](const char* line) {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->lines.emplace_back(line);
      };
      const bool update = AskForUpdate(versionText.c_str(), host.c_str(), port, log, limits);
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
  for (const std::string& line : lines) Basalt::LogMessage("%s", line.c_str());
}
