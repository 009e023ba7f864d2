#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backline/app/export_command.h"
#include "backline/app/game_app.h"
#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/kits/kit_import.h"
#include "basalt/core/core.h"

namespace {

const char kUsage[] =
    "usage: backline                                  play (from the game directory)\n"
    "       backline --export-wav RECORDING WAV       render a recording to a WAV file\n"
    "       backline --export-midi RECORDING MID      write a recording as a Standard MIDI File\n"
    "       backline --import-kit DIR                 import a drum kit folder holding a drumkit.xml\n";

// Plays; exits with a failure status when start-up failed (the message said why).
int Play() {
  GameApp app;
  Basalt::Core core;  // destroyed before the application, as it was created after it
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(&app) ? EXIT_SUCCESS : EXIT_FAILURE;
}

// backline --import-kit DIR: imports the kit and says what it did on stdout,
// or what is wrong on stderr with a failure status. No window opens.
int ImportKitCommand(const char* folder) {
  std::string report;
  if (ImportKit(folder, &report)) {
    std::printf("%s\n", report.c_str());
    return EXIT_SUCCESS;
  }
  std::fprintf(stderr, "Cannot import the kit: %s\n", report.c_str());
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  if (argc == 1) return Play();
  if (argc == 4 && std::strcmp(argv[1], "--export-wav") == 0) return RunExportCommand(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "--export-midi") == 0) return RunMidiExportCommand(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "--import-kit") == 0) return ImportKitCommand(argv[2]);
  std::fputs(kUsage, stderr);
  return EXIT_FAILURE;
}
