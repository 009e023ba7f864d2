#include "backline/screens/main_menu.h"

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/scene/camera.h"
#include "backline/screens/assign_mode.h"
#include "backline/screens/free_play.h"
#include "backline/screens/recording_dialogs.h"
#include "backline/screens/screen_widgets.h"

namespace {

const char* const kEntries[MainMenuState::kEntries] = {"Free Play", "Assign Pads", "Record", "Play Back", "Exit"};
constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
constexpr unsigned kNoSoundColour = 0xE0FF8080;

void Select(GameApp& app, int selection) {
  HideBox(app.panelButton);
  switch (selection) {
    case 0:
      app.mode = FreePlay;
      break;
    case 1:
      EnterAssignMode(app);
      break;
    case 2:
      app.metronome.on = true;
      app.mode = Record;
      break;
    case 3:
      OpenRecordingList(app);
      break;
    default:
      app.quitRequested = true;
      break;
  }
}

}  // namespace

void UpdateMainMenu(GameApp& app) {
  MainMenuState& menu = app.screens.mainMenu;
  ShowBox(app.panelButton, 60.0f, 80.0f, 170, 190, 1.0f, 0.5f, 0.7f, 0.8f);
  UpdateSway(&app.sway, app.frameTime);
  MoveCameraToKit(app);
  app.guiContext->DrawTextA(6, 63, 78, 0x6080A0C0, "Menu");
  const unsigned highlight = AdvancePulse(&menu.pulsePhase, app.frameTime, kHighlightRgb);
  for (int i = 0; i < MainMenuState::kEntries; ++i)
    app.guiContext->DrawTextA(1, 90, static_cast<unsigned>(120 + 30 * i), i == menu.selection ? highlight : kIdleColour,
                              "%s", kEntries[i]);
  if (app.soundSilent) app.guiContext->DrawTextA(0, 63, 282, kNoSoundColour, "No audio device: playing silently");
  const bool* keys = app.menuKeys.event;
  if ((keys[MenuUp] || keys[MenuPadButton3]) && menu.startupDelay <= 0)
    menu.selection = (menu.selection + MainMenuState::kEntries - 1) % MainMenuState::kEntries;
  if (keys[MenuDown] || keys[MenuPadButton2]) menu.selection = (menu.selection + 1) % MainMenuState::kEntries;
  if (keys[MenuEnter] || keys[MenuPadButton0]) Select(app, menu.selection);
  if (menu.startupDelay > 0) --menu.startupDelay;
}
