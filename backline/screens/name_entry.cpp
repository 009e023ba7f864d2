#include "backline/screens/name_entry.h"

#include <cctype>

#include "backline/app/game_app.h"
#include "backline/common/app_clock.h"
#include "backline/gui/cctest.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

namespace {

constexpr unsigned kPanelWidth = 500, kPanelHeight = 120;
constexpr unsigned kTitleColour = 0xFFFFFF50;
constexpr unsigned kPromptColour = 0xB0FFFFFF;
constexpr unsigned kNameColour = 0xFFFFFFFF;

Basalt::GUIButton* TextField(GameApp& app) { return app.menuButtons[0]; }

void BlinkCaret(NameEntryState* state) {
  const uint32_t now = GetTimeMs();
  if (now - state->lastToggle <= NameEntryState::kCaretToggleMs) return;
  state->caretOn = !state->caretOn;
  state->lastToggle = now;
}

NameEntryResult Leave(GameApp& app, NameEntryResult result) {
  HideBox(TextField(app));
  app.textEntry.active = false;
  return result;
}

}  // namespace

NameEntryResult RunNameEntry(GameApp& app, NameEntryState* state, const char* title) {
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - kPanelWidth / 2;
  const unsigned y = Basalt::g_pGUI->GetScreenHeight() / 2 - 70;
  ShowBox(app.panelButton, static_cast<float>(x), static_cast<float>(y), kPanelWidth, kPanelHeight, 1.0f, 0.6f, 0.6f,
          0.6f);
  TextField(app)->SendMessageA(Basalt::GUIMessage::Caption(""));
  ShowBox(TextField(app), static_cast<float>(x + 26), static_cast<float>(y + 70), 440, 35, 1.0f, 0.3f, 0.3f, 0.3f);
  app.guiContext->DrawTextA(1, x + 30, y + 30, kTitleColour, "%s", title);
  app.guiContext->DrawTextA(0, x + 30, y + 60, kPromptColour, "Enter a name");
  LimitTextEntry(&app.textEntry, TextEntry::kMaxNameLength);
  BlinkCaret(state);
  app.guiContext->DrawTextA(1, x + 30, y + 92, kNameColour, state->caretOn ? "%s|" : "%s", app.textEntry.text);
  if (app.menuKeys.event[MenuEnter]) return Leave(app, NameEntryResult::Entered);
  if (app.menuKeys.event[MenuEscape]) return Leave(app, NameEntryResult::Cancelled);
  return NameEntryResult::Typing;
}

std::string MakeContentPath(const char* directory, const char* name, const char* extension) {
  std::string path = std::string(directory) + "\\";
  for (const char* c = name; *c; ++c) {
    const unsigned char ch = static_cast<unsigned char>(*c);
    path += std::isalnum(ch) || ch == ' ' ? static_cast<char>(std::tolower(ch)) : '_';
  }
  return path + "." + extension;
}
