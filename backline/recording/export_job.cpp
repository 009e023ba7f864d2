#include "backline/recording/export_job.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "basalt/foundation/log.h"

extern char** environ;

namespace {

std::string g_exportProgram;

std::string ExportProgram() {
  if (!g_exportProgram.empty()) return g_exportProgram;
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  return length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string();
}

// The export's standard streams go nowhere: what it has to say is in its log.
bool SilenceStreams(posix_spawn_file_actions_t* actions) {
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
    if (posix_spawn_file_actions_addopen(actions, stream, "/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY,
                                         0) != 0)
      return false;
  return true;
}

// Starts program with args; the child's id, or -1 with errno's reason in *why.
pid_t Spawn(const std::string& program, std::vector<std::string> args, int* why) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if ((*why = posix_spawn_file_actions_init(&actions)) != 0) return -1;
  pid_t child = -1;
  if (!SilenceStreams(&actions)) *why = ENOMEM;
  else *why = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return *why == 0 ? child : -1;
}

void Log(const char* what, const std::string& path, const char* how) {
  Basalt::LogMessage("%s \"%s\"%s", what, path.c_str(), how);
}

}  // namespace

void SetExportProgram(const std::string& path) { g_exportProgram = path; }

bool ExportJob::Start(const std::string& recordingPath, const std::string& wavPath) {
  if (m_state == State::Running) {
    Log("Cannot export", wavPath, ": another export is still running");
    return false;
  }
  int why = 0;
  m_child = Spawn(ExportProgram(), {"--export-wav", recordingPath, wavPath}, &why);
  if (m_child < 0) {
    Log("Cannot export", wavPath, (": " + std::string(std::strerror(why))).c_str());
    m_state = State::Failed;
    return false;
  }
  Log("Exporting", recordingPath, (" to " + wavPath).c_str());
  m_wavPath = wavPath;
  m_state = State::Running;
  return true;
}

ExportJob::State ExportJob::Poll() {
  if (m_state != State::Running) return m_state;
  int status = 0;
  const pid_t ended = waitpid(m_child, &status, WNOHANG);
  if (ended == 0) return m_state;
  const bool succeeded = ended == m_child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  m_state = succeeded ? State::Done : State::Failed;
  Log(succeeded ? "Exported" : "Could not export", m_wavPath, succeeded ? "" : ": see exportlog.txt");
  m_child = -1;
  return m_state;
}
