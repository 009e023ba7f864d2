#include "backline/app/game_app.h"

#include <cstring>

#include "backline/app/default_settings.h"
#include "basalt/platform/platform.h"

GameApp::GameApp() {
  SetVersion(kVersionText);
  EnsureSettingsFile();
}

unsigned GameApp::PlatformCallback(void* setup) {
  auto* window = static_cast<Basalt::WindowSetup*>(setup);
  std::strncpy(window->title, kWindowTitle, Basalt::WindowSetup::kTitleCapacity - 1);
  window->title[Basalt::WindowSetup::kTitleCapacity - 1] = '\0';
  return 0;
}
