#pragma once
// The kinds of controller the program tells apart, and what each kind's
// buttons are, as SDL numbers them on Linux: its row (the pad each of buttons
// 0..4 strikes) and its Start button. Static tables, any thread.
//
// The 360 kits and the Mad Catz kit go through the xpad driver, whose
// buttons read A B X Y LB RB Back Start Guide (0..8): Start is 7. The
// PlayStation 3 and 4 kits, the MIDI Pro Adapter and the Wii kits go through
// the generic HID driver, which keeps their report's order, square cross
// circle triangle L1 R1 L2 R2 select start (0..9): Start is 9. Neither is a
// pad, a pedal, a pad's cymbal or pad flag on any of them.
#include "basalt/input/input.h"

enum ControllerKind { Xbox360Kind = 2, GenericKind = 3, WiiKind = 4, MadCatzKind = 5 };

constexpr int kPadButtons = 5;  // buttons 0..4; button 4 is always the bass pedal

// The kind of controller joy of input: a 360 kit's layout, the Wii kits, the
// Mad Catz kit, or the generic (PlayStation) layout of every other.
ControllerKind ControllerKindOf(const Input& input, int joy);

// The pad (0..4) that button (0..4) strikes in kind's own row.
int PadInRow(ControllerKind kind, int button);

// The number of kind's Start button.
int StartButtonOf(ControllerKind kind);
