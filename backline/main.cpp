#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backline/app/game_app.h"
#include "backline/kits/kit_import.h"
#include "basalt/core/core.h"

namespace {

// backline --import-kit DIR: imports the kit and says what it did on stdout,
// or what is wrong on stderr with a failure status. No window opens.
int ImportKitCommand(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Usage: backline --import-kit DIR  (DIR: a drum kit folder holding a drumkit.xml)\n");
    return EXIT_FAILURE;
  }
  std::string report;
  if (ImportKit(argv[2], &report)) {
    std::printf("%s\n", report.c_str());
    return EXIT_SUCCESS;
  }
  std::fprintf(stderr, "Cannot import the kit: %s\n", report.c_str());
  return EXIT_FAILURE;
}

}  // namespace

// Exits with a failure status when start-up failed (the message said why).
int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--import-kit") == 0) return ImportKitCommand(argc, argv);
  GameApp app;
  Basalt::Core core;  // destroyed before the application, as it was created after it
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(&app) ? EXIT_SUCCESS : EXIT_FAILURE;
}
