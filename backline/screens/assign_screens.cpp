#include "backline/screens/assign_screens.h"

#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "basalt/platform/platform.h"

void AssignGroupScreen::ProgramEnds() { SaveAssignedPreset(m_services.instrument, kDefaultPresetPath); }

void LeaveAssignScreens(AssignServices& services, ScreenId next) {
  services.buttons.Clear();
  services.textEntry.active = false;
  services.screens.SwitchTo(next);
}

void ExitAssignScreens(AssignServices& services) {
  SaveAssignedPreset(services.instrument, kDefaultPresetPath);
  LeaveAssignScreens(services, MainMenu);
}

bool SaveAssignedPreset(const Instrument& instrument, const char* path) {
  if (!SavePreset(path, instrument.pads, instrument.volumes)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the preset \"%s\".\nAny file of that name is unchanged.",
                                path);
    return false;
  }
  if (SavePresetLayers(path, instrument.pads, instrument.layers)) return true;
  Basalt::g_pPlatform->MsgBox("Error",
                              "Could not save the velocity layers \"%s\".\nAny file of that name is unchanged.",
                              LayerFilePath(path).c_str());
  return false;
}
