#pragma once
// The kits as the metronome's controls, so that a drummer practising needs no
// keyboard: in Free Play and Record a kit's Start button switches the
// metronome (controller_kind.h says which button that is on each kind) and
// its D-pad up and down are the tempo keys. Main thread, once per frame.
//
// A pro kit's yellow and blue cymbals press D-pad up and down together with
// their pad's button (and the kit may let the pad's button go before the
// D-pad). So a D-pad push that begins in a frame where one of the kit's pads
// reads down is a cymbal: it raises and lowers nothing until the D-pad is
// let go.
#include "backline/pads/pad_map.h"
#include "basalt/input/input.h"

// What each controller's D-pad did, frame to frame.
struct KitTempoPads {
  int pov[Input::kMaxJoysticks] = {-1, -1, -1, -1};  // the direction last read (-1 centred)
  bool counts[Input::kMaxJoysticks] = {};            // that push is a tempo key, not a cymbal
};

// Which tempo keys the kits hold this frame.
struct KitTempoKeys {
  bool raise = false, lower = false;
};

// Reads every controller's D-pad (hat 0); every frame, so that each push is
// judged when it begins.
KitTempoKeys ReadKitTempo(KitTempoPads* pads, const Input& input);

// How many times this frame a kit's Start button was pressed (map: the kinds
// of the controllers; input null: none).
int KitStartPresses(const Input* input, const PadMap& map);
