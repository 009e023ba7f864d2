#include "backline/screens/preset_dialogs.h"

#include <string>

#include "backline/gui/program_gui.h"
#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "basalt/gui/gui.h"
#include "basalt/platform/platform.h"

namespace {

constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
const char kPresetFolder[] = "presets";
const ListDialogText kLoadPresetText = {"Load Preset", "No presets found!"};

}  // namespace

void PresetMenuScreen::Update(const ScreenFrame& frame) {
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - 75, y = Basalt::g_pGUI->GetScreenHeight() / 2 - 90;
  ShowBox(&m_services.canvas.panel, static_cast<float>(x), static_cast<float>(y), 170, 120, 1.0f, 0.5f, 0.7f, 0.8f);
  AssignButtons& buttons = m_services.buttons;
  buttons.Fade(kFunctionButton, kFirstCategoryButton + kCategoryLines, 2.0f, frame.time);  // items and categories
  HideBox(&buttons.Button(kSamplePanelButton));
  ProgramGui& gui = m_services.canvas.gui;
  const unsigned highlight = AdvancePulse(&m_state.pulsePhase, frame.time, kHighlightRgb);
  gui.DrawText(1, x + 20, y + 50, m_state.line == 0 ? highlight : kIdleColour, "Load Preset");
  gui.DrawText(1, x + 20, y + 80, m_state.line == 1 ? highlight : kIdleColour, "Save Preset");
  if (UpOrYellow(frame.keys) || DownOrBlue(frame.keys)) m_state.line = 1 - m_state.line;
  if (frame.keys.event[MenuEscape]) {
    HideBox(&m_services.canvas.panel);
    m_services.screens.SwitchTo(Assign);
  } else if (EnterOrGreen(frame.keys)) {
    // The menu's buttons fade slowly: none may linger over the next dialog.
    LeaveAssignScreens(m_services, m_state.line == 0 ? LoadPresetList : SavePresetName);
  }
}

LoadPresetScreen::LoadPresetScreen(const AssignServices& services)
    : AssignGroupScreen(services), m_dialog(services.canvas, services.textEntry, kLoadPresetText) {}

void LoadPresetScreen::Enter() { EnumeratePresetFiles(&m_presetNames); }

// Loads the preset at path onto the pads, with its velocity layers; when it
// cannot, a message box names the file and says what is wrong, and the pads
// stay as they were. A damaged layers file is named the same way; the
// preset then plays without layers.
void LoadPresetScreen::LoadChosenPreset(const char* path) {
  Instrument& instrument = m_services.instrument;
  const char* why = nullptr;
  if (!LoadPreset(path, &instrument.pads, m_services.bank, &instrument.volumes, &why)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not load the preset \"%s\":\n%s.", path, why);
    return;
  }
  std::string layersProblem;
  if (!LoadPresetLayers(path, m_services.bank, &instrument.layers, &layersProblem))
    Basalt::g_pPlatform->MsgBox("Error", "Could not load the velocity layers \"%s\":\n%s.\nThe pads play without them.",
                                LayerFilePath(path).c_str(), layersProblem.c_str());
}

void LoadPresetScreen::Update(const ScreenFrame& frame) {
  const char* name = nullptr;
  switch (m_dialog.Run(frame, m_presetNames, &name)) {
    case ListDialogResult::Browsing:
      return;
    case ListDialogResult::Chosen:
      LoadChosenPreset((std::string(kPresetFolder) + "\\" + name).c_str());
      m_services.screens.SwitchTo(Assign);
      return;
    case ListDialogResult::Cancelled:
      ExitAssignScreens(m_services);
      return;
  }
}

void SavePresetScreen::Update(const ScreenFrame& frame) {
  switch (m_entry.Run(frame, "Save Preset")) {
    case NameEntryResult::Typing:
      return;
    case NameEntryResult::Entered:
      if (m_entry.Text().length < 1) {
        m_services.screens.SwitchTo(Assign);
        return;
      }
      SaveAssignedPreset(m_services.instrument, MakeContentPath(kPresetFolder, m_entry.Text().text, "preset").c_str());
      ExitAssignScreens(m_services);
      return;
    case NameEntryResult::Cancelled:
      ExitAssignScreens(m_services);
      return;
  }
}
