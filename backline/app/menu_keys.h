#pragma once
// One-frame menu events from the keyboard and controller 0: an event is set
// on the frame its key or button is first seen down and stays set for one
// screen handler call. Polled after the screens each frame, so a screen reads
// the previous frame's events. Main thread.
#include "basalt/input/input.h"

enum MenuKey {
  MenuUp = 0,
  MenuDown,
  MenuLeft,
  MenuRight,
  MenuEnter,
  MenuEscape,
  MenuTab,
  MenuSpace,
  MenuPageDown,
  MenuPageUp,
  MenuPadButton1,
  MenuPadButton0,
  MenuPadButton2,
  MenuPadButton3,
  MenuSpare,  // never set
  kMenuKeyCount
};

struct MenuKeys {
  static constexpr float kStartupHold = 0.1f;  // seconds of frame time before any event

  bool event[kMenuKeyCount] = {};
  bool held[kMenuKeyCount] = {};
  float startupTime = 0.0f;  // frame time polled so far; never reset
};

// Derives this frame's events. Nothing happens during the start-up hold; a
// key already down when it ends fires on the first poll after. input null:
// no events.
void PollMenuKeys(MenuKeys* keys, const CInput* input, float frameTime);

// The kit's pads as menu keys alongside the keyboard's: yellow (button 3)
// moves up, blue (2) down, green (0) enters and red (1) goes back.
inline bool UpOrYellow(const MenuKeys& keys) { return keys.event[MenuUp] || keys.event[MenuPadButton3]; }
inline bool DownOrBlue(const MenuKeys& keys) { return keys.event[MenuDown] || keys.event[MenuPadButton2]; }
inline bool EnterOrGreen(const MenuKeys& keys) { return keys.event[MenuEnter] || keys.event[MenuPadButton0]; }
inline bool EscapeOrRed(const MenuKeys& keys) { return keys.event[MenuEscape] || keys.event[MenuPadButton1]; }
