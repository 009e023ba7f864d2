#include "backline/app/game_app.h"
#include "basalt/core/core.h"

int main() {
  GameApp app;
  Basalt::Core core;  // destroyed before the application, as it was created after it
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  core.Launch(&app);
  return 0;
}
