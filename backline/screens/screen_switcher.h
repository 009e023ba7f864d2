#pragma once
// Owns the program's screens and says which one is shown. A screen asks for
// the next one with SwitchTo; the switch is made when the frame's screen
// update returns (Apply): the old screen's Leave, then the new one's Enter,
// each once however many times the screen asked, and the last screen asked
// for wins. Asking for the screen that is already shown changes nothing. The
// screens' Update of the next frame is the new screen's first. Main thread.
#include <array>
#include <memory>

#include "backline/screens/screen.h"

class ScreenSwitcher {
 public:
  // Takes screen id; every id is added once before Start.
  void Add(ScreenId id, std::unique_ptr<Screen> screen);
  // Enters the first screen.
  void Start(ScreenId first);

  // Asks for the screen id from the next frame on.
  void SwitchTo(ScreenId id) { m_next = id; }
  // Runs the current screen's frame, then makes the switch it asked for.
  void Update(const ScreenFrame& frame);
  // Makes the switch asked for since the last one, if any.
  void Apply();

  // The program is to end after this frame.
  void Quit() { m_quit = true; }
  bool QuitRequested() const { return m_quit; }

  // Whether Start has run (the screens exist).
  bool Started() const { return m_started; }
  ScreenId CurrentId() const { return m_current; }
  Screen& Current() const { return Get(m_current); }
  Screen& Get(ScreenId id) const;

 private:
  std::array<std::unique_ptr<Screen>, kScreenCount> m_screens;
  ScreenId m_current = MainMenu;
  ScreenId m_next = MainMenu;
  bool m_quit = false;
  bool m_started = false;
};
