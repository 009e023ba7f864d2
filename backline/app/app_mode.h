#pragma once

// The current screen. Screens change screens by writing the mode; 9 is unused
// and a value without a screen runs only the work every frame shares.
enum AppMode : int {
  FreePlay = 0,
  Record = 1,
  Assign = 2,
  Playback = 3,
  PresetMenu = 4,
  MainMenu = 5,
  UpdateAvailable = 6,
  UpdatePrompt = 7,
  UpdateCheck = 8,
  SaveRecordingName = 10,
  OpenRecording = 11,
  LoadPresetList = 12,
  SavePresetName = 13,
};
