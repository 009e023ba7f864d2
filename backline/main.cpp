#include <cstdlib>

#include "backline/app/game_app.h"
#include "basalt/core/core.h"

// Exits with a failure status when start-up failed (the message said why).
int main() {
  GameApp app;
  Basalt::Core core;  // destroyed before the application, as it was created after it
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(&app) ? EXIT_SUCCESS : EXIT_FAILURE;
}
