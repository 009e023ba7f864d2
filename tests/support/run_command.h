#pragma once
// Runs a shell command as a test's program would be run by hand.
#include <string>

namespace test {

// Runs command with the shell, its stderr joined to its stdout; returns its
// exit status (-1 when it did not exit) and appends what it printed to *output.
int RunCommand(const std::string& command, std::string* output);

}  // namespace test
