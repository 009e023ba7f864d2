#pragma once
// What the screens remember between frames, one struct per screen.
#include <cstdint>
#include <string>

#include "backline/recording/export_job.h"
#include "backline/recording/player.h"
#include "backline/recording/recorder.h"

// The main menu: the selection is kept when the menu is left and entered again.
struct MainMenuState {
  static constexpr int kEntries = 5;
  static constexpr int kStartupDelayFrames = 10;
  int selection = 0;  // 0 Free Play, 1 Assign Pads, 2 Record, 3 Play Back, 4 Exit
  float pulsePhase = 0.0f;
  int startupDelay = kStartupDelayFrames;  // main-menu frames before Up works
};

// The three update-check screens.
struct UpdateScreensState {
  static constexpr float kCheckSeconds = 6.0f;
  int promptLine = 0;     // "Check for Updates?": 0 Yes, 1 No
  int availableLine = 0;  // "Update available!": 0 visit, 1 later, 2 never
  float pulsePhase = 0.0f;
  float countdown = kCheckSeconds;
};

// A list dialog over a name list (list_dialog.h): the first name shown and
// the highlighted line among the shown ones. Each list keeps its own, across
// openings.
struct ListDialogState {
  static constexpr int kShownNames = 10;
  int scroll = 0;
  int row = 0;
};

// A name entry's caret (name_entry.h), blinking every 200 ms.
struct NameEntryState {
  static constexpr uint32_t kCaretToggleMs = 200;
  bool caretOn = false;
  uint32_t lastToggle = 0;  // GetTimeMs of the last blink
};

// Assign Mode (assign_mode.h): kept across frames and visits to the screen.
struct AssignState {
  static constexpr int kMenuButtons = 12;  // the application's menu buttons, ids 1..12
  int selectedKit = 0;
  int selectedPad = 0;
  int selectedItem = 1;  // 0 function (bass pedals only), 1 primary, 2 secondary
  bool categoryMenuOpen = false;
  int selectedCategory = 0;  // 0..4 a SampleCategory, 5 "None"
  bool pickerOpen = false;
  float pulse = 1.0f;          // the selected item's brightness
  float categoryPulse = 1.0f;  // the selected category's brightness
  float buttonLevel[kMenuButtons] = {};  // each menu button's brightness (its opacity)
};

// The sample picker (sample_picker.h).
struct PickerState {
  static constexpr int kSearchCapacity = 45;
  static constexpr uint32_t kSearchTimeoutMs = 1500;
  int cursor = 0;  // position of the shown sample in its category
  char search[kSearchCapacity + 1] = {};
  int searchLength = 0;
  uint32_t lastKeyTime = 0;  // GetTimeMs of the last typed character
  bool clockStarted = false;
  bool matched = true;  // whether this frame's search found a sample
};

// The "Load Preset" / "Save Preset" menu.
struct PresetMenuState {
  int line = 0;  // 0 load, 1 save
  float pulsePhase = 0.0f;
};

// The Playback screen: the MIDI file the recording was written to (M), shown
// until the screen is left; empty when none was.
struct PlaybackState {
  std::string midiFile;
};

struct ScreenState {
  MainMenuState mainMenu;
  UpdateScreensState update;
  AssignState assign;
  PickerState picker;
  PresetMenuState presetMenu;
  ListDialogState presetList;
  NameEntryState nameEntry;  // one name entry runs at a time
  Recorder recorder;
  Player player;
  PlaybackState playback;
  ExportJob exportJob;  // the playback screen's WAV export
  ListDialogState recordingList;
};
