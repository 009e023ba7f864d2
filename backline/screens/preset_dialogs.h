#pragma once
// The preset dialogs around Assign Mode: the "Load Preset" / "Save Preset"
// menu that TAB opens, the list of the "presets" folder, and the name entry
// that saves the assignment as "presets\<name>.preset". A preset that cannot
// be loaded shows a message box naming it and what is wrong, and changes
// nothing. Loading (or failing to) and Escape from the menu return to Assign
// Mode with typing working again; saving and Escape from the list or the name
// entry leave for the main menu, saving the default preset on the way.
#include "backline/pads/name_list.h"
#include "backline/screens/assign_screens.h"
#include "backline/screens/list_dialog.h"
#include "backline/screens/name_entry.h"

class PresetMenuScreen final : public AssignGroupScreen {
 public:
  // "Load Preset" / "Save Preset".
  struct State {
    int line = 0;  // 0 load, 1 save
    float pulsePhase = 0.0f;
  };

  explicit PresetMenuScreen(const AssignServices& services) : AssignGroupScreen(services) {}
  void Update(const ScreenFrame& frame) override;
  State& MenuState() { return m_state; }

 private:
  State m_state;
};

// The list of saved presets, read afresh each time it opens.
class LoadPresetScreen final : public AssignGroupScreen {
 public:
  explicit LoadPresetScreen(const AssignServices& services);
  void Enter() override;
  void Update(const ScreenFrame& frame) override;
  ListDialogState& ListState() { return m_dialog.State(); }

 private:
  void LoadChosenPreset(const char* path);

  NameList m_presetNames;
  ListDialog m_dialog;
};

class SavePresetScreen final : public AssignGroupScreen {
 public:
  explicit SavePresetScreen(const AssignServices& services)
      : AssignGroupScreen(services), m_entry(services.canvas, services.textEntry) {}
  void Enter() override { m_entry.Open(); }
  void Update(const ScreenFrame& frame) override;

 private:
  NameEntry m_entry;
};
