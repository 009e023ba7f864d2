#pragma once
// The main menu: "Free Play", "Assign Pads", "Record", "Play Back", "Exit" in
// a tinted panel, the selection pulsing; arrows or pads move, Enter or the
// green pad selects (Record starts the metronome). Up waits for the first
// ten menu frames of the run.
#include "backline/controls/metronome.h"
#include "backline/scene/sway.h"
#include "backline/screens/screen_switcher.h"
#include "backline/screens/screen_widgets.h"

class Camera;

// Kept when the menu is left and entered again.
struct MainMenuState {
  static constexpr int kEntries = 5;
  static constexpr int kStartupDelayFrames = 10;
  int selection = 0;  // 0 Free Play, 1 Assign Pads, 2 Record, 3 Play Back, 4 Exit
  float pulsePhase = 0.0f;
  int startupDelay = kStartupDelayFrames;  // main-menu frames before Up works
};

// What the menu works with; every reference outlives it.
struct MainMenuServices {
  ScreenCanvas canvas;
  ScreenSwitcher& screens;
  Camera& camera;
  Sway& sway;
  Metronome& metronome;
  const unsigned& kitsShown;  // the kits the drum set shows
  bool soundSilent;           // no audio device: a line says so
};

class MainMenuScreen final : public Screen {
 public:
  explicit MainMenuScreen(const MainMenuServices& services) : m_services(services) {}
  void Update(const ScreenFrame& frame) override;
  MainMenuState& State() { return m_state; }

 private:
  void Select(int selection);

  MainMenuServices m_services;
  MainMenuState m_state;
};
