#pragma once
// One-frame menu events from the keyboard and controller 0, made from the
// frame's presses (Input::GetFramePresses): every press of a menu key counts
// once, in the order the presses happened. Presses wait in a queue and one is
// delivered per poll, so a screen sees at most one event per frame and two
// presses between two frames come out on two frames, never reordered. An
// event stays set for one screen Update. Polled after the screens each
// frame, so a screen reads the previous frame's events. Main thread.
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
  MenuExportWav,
  MenuExportMidi,
  kMenuKeyCount
};

struct MenuKeys {
  static constexpr float kStartupHold = 0.1f;  // seconds of frame time before any event
  static constexpr int kQueueCapacity = 32;    // presses waiting; more are dropped

  bool event[kMenuKeyCount] = {};  // at most one set
  bool held[kMenuKeyCount] = {};   // the key's sources read down this frame
  // Set by the program while the kit's pads are the instrument (Free Play,
  // Record): presses of the pads (MenuPadButton0..3) are not queued then, so
  // strikes never pile up ahead of a menu key. Keys, the kit's back button
  // and its hat still are.
  bool padsPlay = false;
  float startupTime = 0.0f;              // frame time polled so far; never reset
  MenuKey waiting[kQueueCapacity] = {};  // presses not delivered yet, oldest at waitingHead
  int waitingHead = 0;
  int waitingCount = 0;
};

// Queues this frame's presses of menu keys and delivers the oldest waiting
// one. Nothing is delivered during the start-up hold: presses made then wait
// and come out after it. input null: nothing new is queued.
void PollMenuKeys(MenuKeys* keys, const Input* input, float frameTime);

// The kit's pads as menu keys alongside the keyboard's: yellow (button 3)
// moves up, blue (2) down, green (0) enters and red (1) goes back.
inline bool UpOrYellow(const MenuKeys& keys) { return keys.event[MenuUp] || keys.event[MenuPadButton3]; }
inline bool DownOrBlue(const MenuKeys& keys) { return keys.event[MenuDown] || keys.event[MenuPadButton2]; }
inline bool EnterOrGreen(const MenuKeys& keys) { return keys.event[MenuEnter] || keys.event[MenuPadButton0]; }
inline bool EscapeOrRed(const MenuKeys& keys) { return keys.event[MenuEscape] || keys.event[MenuPadButton1]; }
