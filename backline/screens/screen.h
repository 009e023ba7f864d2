#pragma once
// A screen of the program: the main menu, Free Play, a dialog. It owns what
// it remembers and its own widgets, and is handed the services it uses when
// it is built. The screen switcher (screen_switcher.h) owns every screen and
// calls them on the main thread: Enter when the screen is switched to,
// Update once a frame while it is the current screen, Leave when another
// screen takes its place.
#include "backline/controls/menu_keys.h"

// The screens, by what they show.
enum ScreenId {
  FreePlay,
  Record,
  Assign,
  Playback,
  PresetMenu,
  MainMenu,
  UpdateAvailable,
  UpdatePrompt,
  UpdateCheck,
  SaveRecordingName,
  OpenRecording,
  LoadPresetList,
  SavePresetName,
  kScreenCount
};

// What every screen reads each frame: the menu event of the previous frame's
// poll and the frame's length in seconds.
struct ScreenFrame {
  const MenuKeys& keys;
  float time;
};

class Screen {
 public:
  Screen() = default;
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  virtual void Enter() {}
  // One frame; a screen that asks the switcher for another screen runs no
  // more frames until it is entered again.
  virtual void Update(const ScreenFrame& frame) = 0;
  virtual void Leave() {}
  // The program ends (the window closed) while the screen is shown.
  virtual void ProgramEnds() {}

  // Whether the kits and keys strike the pads while the screen is shown.
  virtual bool InstrumentLive() const { return false; }
  // Whether the frames must keep up with the sound (pads' flashes, a timer).
  virtual bool NeedsFullFrameRate() const { return InstrumentLive(); }
  // Whether the drum set may follow a change in the number of kits plugged
  // in now; kitsLeaving: the change has fewer kits than shown.
  virtual bool LetsKitCountChange(bool /*kitsLeaving*/) const { return true; }
};
