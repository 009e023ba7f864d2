#pragma once
// What the screens remember between frames, one struct per screen.
#include <cstdint>

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

struct ScreenState {
  MainMenuState mainMenu;
  UpdateScreensState update;
  NameEntryState nameEntry;  // one name entry runs at a time
  Recorder recorder;
  Player player;
  ListDialogState recordingList;
};
