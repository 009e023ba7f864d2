#pragma once
// Which pad a controller button strikes. Each kind of controller numbers its
// pads differently; g_redefinePads replaces every kind's table by the
// g_redPad ... g_bassDrum variables. Built once at start-up, then only read
// (by index: the hit path searches nothing).
#include "basalt/input/input.h"

enum ControllerKind { Xbox360Kind = 2, GenericKind = 3, WiiKind = 4, MadCatzKind = 5 };

constexpr int kPadButtons = 5;  // buttons 0..4; button 4 is always the bass pedal

struct PadMap {
  bool redefined = false;                            // g_redefinePads at start-up
  int redefinedPads[kPadButtons] = {3, 0, 2, 1, 4};  // the pad of each button when redefined
  int numControllers = 0;                            // controllers found (0 without input)
  // Per controller; GenericKind for the assumed controller when none is found.
  ControllerKind kind[CInput::kMaxJoysticks] = {GenericKind, GenericKind, GenericKind, GenericKind};
};

// The kind of controller joy of input.
ControllerKind ControllerKindOf(const CInput& input, int joy);

// Reads the controllers of input (null: none) and the redefinition variables.
// A variable outside 0..4 is refused with a log line naming it, and its
// button keeps the pad of the variable's default.
void InitPadMap(PadMap* map, const CInput* input);

// The pad (0..4) that button (0..4) strikes on a controller of kind.
int MapButtonToPad(const PadMap& map, int button, ControllerKind kind);

// The pad slot that button of kit strikes.
int PadSlotOfButton(const PadMap& map, int kit, int button);
