#pragma once
// What the screens remember between frames, one struct per screen.

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

struct ScreenState {
  MainMenuState mainMenu;
  UpdateScreensState update;
};
