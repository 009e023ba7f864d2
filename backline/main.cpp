#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backline/app/export_command.h"
#include "backline/app/game_app.h"
#include "basalt/core/core.h"

namespace {

const char kUsage[] =
    "usage: backline                                  play (from the game directory)\n"
    "       backline --export-wav RECORDING WAV       render a recording to a WAV file\n";

// Plays; exits with a failure status when start-up failed (the message said why).
int Play() {
  GameApp app;
  Basalt::Core core;  // destroyed before the application, as it was created after it
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(&app) ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) return Play();
  if (argc == 4 && std::strcmp(argv[1], "--export-wav") == 0) return RunExportCommand(argv[2], argv[3]);
  std::fputs(kUsage, stderr);
  return EXIT_FAILURE;
}
