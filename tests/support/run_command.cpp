#include "tests/support/run_command.h"

#include <sys/wait.h>

#include <cstdio>

namespace test {

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char chunk[256];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) output->append(chunk, got);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace test
