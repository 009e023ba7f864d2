#pragma once
// The preset dialogs around Assign Mode: the "Load Preset" / "Save Preset"
// menu that TAB opens, the list of the "presets" folder, and the name entry
// that saves the assignment as "presets\<name>.preset". A preset that cannot
// be loaded shows a message box naming it and what is wrong, and changes
// nothing. Loading (or failing to) and Escape from the menu return to Assign
// Mode with typing working again; saving and Escape from the list or the name
// entry leave Assign Mode for the main menu, saving the default preset on the
// way (ExitAssignMode).
class GameApp;

// One frame of each screen: modes PresetMenu, LoadPresetList, SavePresetName.
void UpdatePresetMenu(GameApp& app);
void UpdateLoadPresetList(GameApp& app);
void UpdateSavePresetName(GameApp& app);

// Saves the pad assignment and volumes to path, and beside it the velocity
// layers that apply with the pads; when that fails (the file already there
// is left as it was) a message box names the file.
bool SaveAssignedPreset(GameApp& app, const char* path);
