#pragma once
// Which pad a controller button strikes. Each kind of controller numbers its
// pads differently (controller_kind.h); g_redefinePads replaces every kind's
// row by the g_redPad ... g_bassDrum variables. Built at start-up and again
// whenever a controller arrives or leaves; only read otherwise (by index: the
// hit path searches nothing). Main thread.
#include "backline/pads/controller_kind.h"
#include "basalt/input/input.h"

struct PadMap {
  bool redefined = false;                            // g_redefinePads at start-up
  int redefinedPads[kPadButtons] = {3, 0, 2, 1, 4};  // the pad of each button when redefined
  int numControllers = 0;                            // controllers found (0 without input)
  // Per controller; GenericKind for the assumed controller when none is found.
  ControllerKind kind[Input::kMaxJoysticks] = {GenericKind, GenericKind, GenericKind, GenericKind};
};

// Reads the controllers of input (null: none) and the redefinition variables.
// A variable outside 0..4 is refused with a log line naming it, and its
// button keeps the pad of the variable's default.
void InitializePadMap(PadMap* map, const Input* input);
// Reads the controllers of input again (one arrived or left), keeping the rest.
void ReadControllerKinds(PadMap* map, const Input* input);

// The pad (0..4) that button (0..4) strikes on a controller of kind.
int MapButtonToPad(const PadMap& map, int button, ControllerKind kind);

// The pad slot that button of kit strikes.
int PadSlotOfButton(const PadMap& map, int kit, int button);
