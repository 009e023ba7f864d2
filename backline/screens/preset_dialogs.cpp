#include "backline/screens/preset_dialogs.h"

#include <string>

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "backline/screens/assign_mode.h"
#include "backline/screens/list_dialog.h"
#include "backline/screens/name_entry.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui.h"
#include "basalt/platform/platform.h"

namespace {

constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
const char kPresetFolder[] = "presets";
const ListDialogText kLoadPresetText = {"Load Preset", "No presets found!"};

void OpenChoice(GameApp& app, int line) {
  // The menu's buttons fade slowly: none may linger over the next dialog.
  LeaveAssignScreens(app, line == 0 ? LoadPresetList : SavePresetName);
  if (line == 0) {
    EnumeratePresetFiles(&app.presetNames);
    return;
  }
  ClearTextEntry(&app.textEntry);
  app.textEntry.active = true;
}

// Loads the preset at path onto the pads, with its velocity layers; when it
// cannot, a message box names the file and says what is wrong, and the pads
// stay as they were. A damaged layers file is named the same way; the
// preset then plays without layers.
void LoadChosenPreset(GameApp& app, const char* path) {
  const char* why = nullptr;
  if (!LoadPreset(path, &app.instrument.pads, app.bank, &app.instrument.volumes, &why)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not load the preset \"%s\":\n%s.", path, why);
    return;
  }
  std::string layersProblem;
  if (!LoadPresetLayers(path, app.bank, &app.instrument.layers, &layersProblem))
    Basalt::g_pPlatform->MsgBox("Error", "Could not load the velocity layers \"%s\":\n%s.\nThe pads play without them.",
                                LayerFilePath(path).c_str(), layersProblem.c_str());
}

}  // namespace

void UpdatePresetMenu(GameApp& app) {
  PresetMenuState& menu = app.screens.presetMenu;
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - 75, y = Basalt::g_pGUI->GetScreenHeight() / 2 - 90;
  ShowBox(app.panelButton, static_cast<float>(x), static_cast<float>(y), 170, 120, 1.0f, 0.5f, 0.7f, 0.8f);
  FadeMenuButtons(app, kFunctionButton, kFirstCategoryButton + kCategoryLines, 2.0f);  // items and categories
  HideBox(app.menuButtons[kSamplePanelButton]);
  const unsigned highlight = AdvancePulse(&menu.pulsePhase, app.frameTime, kHighlightRgb);
  app.guiContext->DrawTextA(1, x + 20, y + 50, menu.line == 0 ? highlight : kIdleColour, "Load Preset");
  app.guiContext->DrawTextA(1, x + 20, y + 80, menu.line == 1 ? highlight : kIdleColour, "Save Preset");
  if (UpOrYellow(app.menuKeys) || DownOrBlue(app.menuKeys)) menu.line = 1 - menu.line;
  if (app.menuKeys.event[MenuEscape]) {
    HideBox(app.panelButton);
    EnterAssignMode(app);
  } else if (EnterOrGreen(app.menuKeys)) {
    OpenChoice(app, menu.line);
  }
}

void UpdateLoadPresetList(GameApp& app) {
  const char* name = nullptr;
  switch (RunListDialog(app, &app.screens.presetList, app.presetNames, kLoadPresetText, &name)) {
    case ListDialogResult::Browsing:
      return;
    case ListDialogResult::Chosen:
      LoadChosenPreset(app, (std::string(kPresetFolder) + "\\" + name).c_str());
      EnterAssignMode(app);
      return;
    case ListDialogResult::Cancelled:
      ExitAssignMode(app);
      return;
  }
}

void UpdateSavePresetName(GameApp& app) {
  switch (RunNameEntry(app, &app.screens.nameEntry, "Save Preset")) {
    case NameEntryResult::Typing:
      return;
    case NameEntryResult::Entered:
      if (app.textEntry.length < 1) {
        EnterAssignMode(app);
        return;
      }
      SaveAssignedPreset(app, MakeContentPath(kPresetFolder, app.textEntry.text, "preset").c_str());
      ExitAssignMode(app);
      return;
    case NameEntryResult::Cancelled:
      ExitAssignMode(app);
      return;
  }
}

bool SaveAssignedPreset(GameApp& app, const char* path) {
  if (!SavePreset(path, app.instrument.pads, app.instrument.volumes)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the preset \"%s\".\nAny file of that name is unchanged.",
                                path);
    return false;
  }
  if (SavePresetLayers(path, app.instrument.pads, app.instrument.layers)) return true;
  Basalt::g_pPlatform->MsgBox("Error",
                              "Could not save the velocity layers \"%s\".\nAny file of that name is unchanged.",
                              LayerFilePath(path).c_str());
  return false;
}
