#pragma once
// The update check: one HTTP/1.0 request for "/updates.txt" to the update
// server, whose reply names the current release on a line starting with
// "PL1: version". Runs on a worker thread (UpdateCheckJob) so the screen
// keeps drawing.
#include <functional>
#include <memory>
#include <thread>

// Settings: the update server and the product's home page.
extern char g_updateHost[128];
extern int g_updatePort;
extern char g_homePage[128];
// Declares the three to CVarSystem and gives each its default. Main thread, at start-up.
void RegisterUpdateSettings();

// Receives each log line of a check; called on the checking thread.
using UpdateLog = std::function<void(const char* line)>;

// How long a check waits for the connection, then for the whole reply.
struct UpdateLimits {
  unsigned connectMs = 4000;
  unsigned replyMs = 2000;
};

// True when the reply names a newer version than version ("version 1.36"):
// the dot-separated numbers after the first "PL1: version" are compared
// with version's, one number at a time, a missing one counting as 0; what
// follows the numbers (blanks, a line end) does not matter. No such line, or
// one without a number, means no update.
bool ReplyNamesNewerVersion(const char* reply, const char* version);

// Asks host:port; true when it names a newer version. Blocks for at most
// limits.connectMs to connect plus limits.replyMs for the reply, which is read
// until the server closes the connection or 2047 bytes have arrived.
bool AskForUpdate(const char* version, const char* host, unsigned port, const UpdateLog& log,
                  const UpdateLimits& limits = UpdateLimits());

// One check on a worker thread. Main thread only. The worker owns a share of
// the state it writes, so an abandoned worker (still blocked in connect, say)
// never touches freed memory and never keeps the program from exiting.
class UpdateCheckJob {
 public:
  UpdateCheckJob() = default;
  ~UpdateCheckJob() { Abandon(); }
  UpdateCheckJob(const UpdateCheckJob&) = delete;
  UpdateCheckJob& operator=(const UpdateCheckJob&) = delete;

  // Starts checking g_updateHost:g_updatePort for version within limits;
  // false when the thread cannot be created or a check was already started.
  bool Start(const char* version, const UpdateLimits& limits = UpdateLimits());
  bool Started() const { return m_started; }
  // Waits at most milliseconds for the worker; true once it has finished.
  // The worker's log lines so far go to the system log.
  bool WaitFinished(unsigned milliseconds);
  // The answer, once WaitFinished has returned true.
  bool UpdateAvailable() const;
  // Stops waiting for a worker that has not finished; its answer is ignored.
  void Abandon();

 private:
  struct Shared;
  void FlushLog();

  std::shared_ptr<Shared> m_shared;
  std::thread m_thread;
  bool m_started = false;
};
