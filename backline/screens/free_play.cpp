#include "backline/screens/free_play.h"

#include "backline/app/game_app.h"
#include "backline/app/kit_controls.h"
#include "backline/gui/cctest.h"
#include "backline/scene/camera.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"

void ToggleMetronomeOnRequest(GameApp& app) {
  const int presses =
      KitStartPresses(Basalt::g_pInput, app.instrument.padMap) + (app.menuKeys.event[MenuSpace] ? 1 : 0);
  if (presses % 2) app.metronome.on = !app.metronome.on;
}

void MoveCameraToKit(GameApp& app) { app.camera->MoveTo({0.0f, 8.0f, app.numDrumSets < 2 ? -32.0f : -35.0f}, 1.0f); }

void UpdateFreePlay(GameApp& app) {
  SetBoxOpacity(app.panelButton, 0.0f);
  UpdateSway(&app.sway, app.frameTime);
  MoveCameraToKit(app);
  ToggleMetronomeOnRequest(app);
  if (app.menuKeys.event[MenuEscape]) {
    app.mode = MainMenu;
    app.metronome.on = false;
  }
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  app.guiContext->DrawTextA(6, width / 2 - 120, height - 30, 0x40FFFFFF, "Free Play Mode");
  app.guiContext->DrawTextA(0, 10, height - 60, 0x7FFFE5B2, "SPACEBAR/START - toggle metronome");
  app.guiContext->DrawTextA(0, 10, height - 40, 0x7FFFE5B2, "UP/DOWN, D-PAD UP/DOWN - BPM +/-");
  app.guiContext->DrawTextA(0, 10, height - 20, 0x7FFFE5B2, "BACK/ESC - menu");
}
