#include "backline/screens/update_screens.h"

#include <SDL.h>

#include <algorithm>

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/net/update_preference.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/foundation/log.h"
#include "basalt/gui/gui.h"

namespace {

constexpr unsigned kTitleColour = 0xE0FFFF80;
constexpr unsigned kTextColour = 0xFF808080;
constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
constexpr unsigned kWaitMs = 5;

struct Panel {
  unsigned x, y;  // the title's position
};

// The dialog panel, width 400, at (W/2 - 180, H/2 - top); returns where its title goes.
Panel ShowPanel(GameApp& app, unsigned height, unsigned top, const char* title) {
  const float x = static_cast<float>(Basalt::g_pGUI->GetScreenWidth() / 2) - 180.0f;
  const float y = static_cast<float>(Basalt::g_pGUI->GetScreenHeight() / 2) - static_cast<float>(top);
  ShowBox(app.panelButton, x, y, 400, height, 1.0f, 0.5f, 0.7f, 0.8f);
  const Panel panel = {static_cast<unsigned>(x) + 18, static_cast<unsigned>(y) + 40};
  app.guiContext->DrawTextA(6, panel.x, panel.y, kTitleColour, "%s", title);
  return panel;
}

// Draws lines under the title, the highlighted one pulsing, and moves the
// highlight with up/yellow and down/blue.
void ChoiceLines(GameApp& app, const Panel& panel, const char* const* lines, int count, int firstOffset,
                 int* highlighted) {
  const unsigned pulse = AdvancePulse(&app.screens.update.pulsePhase, app.frameTime, kHighlightRgb);
  for (int i = 0; i < count; ++i)
    app.guiContext->DrawTextA(3, panel.x + 5, panel.y + static_cast<unsigned>(firstOffset + 20 * i),
                              i == *highlighted ? pulse : kIdleColour, "%s", lines[i]);
  const bool* keys = app.menuKeys.event;
  if (keys[MenuUp] || keys[MenuPadButton3]) --*highlighted;
  if (keys[MenuDown] || keys[MenuPadButton2]) ++*highlighted;
  *highlighted = std::clamp(*highlighted, 0, count - 1);
}

bool Chosen(const GameApp& app) { return app.menuKeys.event[MenuEnter] || app.menuKeys.event[MenuPadButton0]; }

}  // namespace

void UpdatePromptScreen(GameApp& app) {
  const Panel panel = ShowPanel(app, 150, 125, "Check for Updates?");
  app.guiContext->DrawTextA(0, panel.x + 5, panel.y + 25, kTextColour, "Would you like Padlark to check for updates?");
  static const char* const kLines[] = {"Yes", "No"};
  ChoiceLines(app, panel, kLines, 2, 60, &app.screens.update.promptLine);
  if (!Chosen(app)) return;
  HideBox(app.panelButton);
  const bool yes = app.screens.update.promptLine == 0;
  if (!WriteUpdatePreference(yes ? 'y' : 'n'))
    Basalt::LogMessage("Cannot write %s: the question comes again next time", kUpdatePreferenceFile);
  app.mode = yes ? UpdateCheck : MainMenu;
}

void UpdateCheckScreen(GameApp& app) {
  UpdateScreensState& state = app.screens.update;
  state.countdown -= app.frameTime;
  if (state.countdown <= 0.0f) {
    app.updateCheck.Abandon();
    HideBox(app.panelButton);
    app.mode = MainMenu;
    return;
  }
  const Panel panel = ShowPanel(app, 75, 87, "Checking for updates");
  app.guiContext->DrawTextA(0, panel.x + 5, panel.y + 25, kTextColour, "Contacting server");
  const int dots = 3 - static_cast<int>(state.countdown) % 3;
  for (int i = 0; i < dots; ++i)
    app.guiContext->DrawTextA(0, panel.x + 115 + 5 * static_cast<unsigned>(i), panel.y + 25, kTextColour, ".");
  if (!app.updateCheck.Started() && !app.updateCheck.Start(app.GetVersion())) {
    HideBox(app.panelButton);
    app.mode = MainMenu;
    return;
  }
  if (!app.updateCheck.WaitFinished(kWaitMs)) return;
  HideBox(app.panelButton);
  app.mode = app.updateCheck.UpdateAvailable() ? UpdateAvailable : MainMenu;
}

void UpdateAvailableScreen(GameApp& app) {
  const Panel panel = ShowPanel(app, 130, 115, "Update available!");
  static const char* const kLines[] = {"Visit the Padlark home page for the new version", "Remind me later",
                                       "Don't tell me again"};
  ChoiceLines(app, panel, kLines, 3, 30, &app.screens.update.availableLine);
  if (!Chosen(app)) return;
  HideBox(app.panelButton);
  switch (app.screens.update.availableLine) {
    case 0:
      if (SDL_OpenURL(g_homePage) != 0) Basalt::LogMessage("Cannot open %s: %s", g_homePage, SDL_GetError());
      app.quitRequested = true;
      break;
    case 1:
      app.mode = MainMenu;
      break;
    default:
      WriteUpdatePreference('n');
      app.mode = MainMenu;
      break;
  }
}
