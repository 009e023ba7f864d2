#pragma once
// How hard a drum kit's pad was struck, as the kit reports it: for each pad
// button, the joystick axis that carries the strike's strength and how to read
// it. The tables are static and shared by every thread.
//
// The Xbox 360 Rock Band kits (wired, through the wireless receiver, the ION
// Drum Rocker) send each pad's strength in a stick field of their report:
// red in the left stick's X, yellow in its Y, blue in the right stick's X,
// green in its Y. The low 15 bits run backwards: 0 is the hardest strike and
// 0x7FFF the softest the pad measures; the top bit says nothing about the
// strength. A Rock Band 1 kit leaves the fields at 0, so it reads as full
// strength. Linux's xpad driver hands the fields on as ABS_X, ABS_Y, ABS_RX and
// ABS_RY, each Y inverted bit for bit (~value), and SDL numbers the axes in
// that order with the triggers between them: 0 X, 1 Y, 2 left trigger, 3 RX,
// 4 RY, 5 right trigger. The bass pedal reports no strength.
//
// The PlayStation 3 and Wii kits send their pads' strength in bytes of the
// report that the HID descriptor files under a vendor-defined usage page,
// which Linux's generic HID driver does not turn into axes: SDL never sees
// them, so those kits, like every kit without a table here, play at full
// strength.
#include <cstdint>

namespace Basalt {

constexpr int kVelocityButtons = 5;  // buttons 0..4: the four pads and the bass pedal

// Where one button's strength is read.
struct VelocityAxis {
  int8_t axis = -1;               // SDL's axis number; -1: the button reports no strength
  bool invertedByDriver = false;  // the driver hands the field on as ~value
};

struct VelocityTable {
  VelocityAxis buttons[kVelocityButtons];
};

// Buttons 0 green (right stick Y), 1 red (left stick X), 2 blue (right stick
// X), 3 yellow (left stick Y), 4 the pedal (none).
extern const VelocityTable kXbox360DrumVelocity;

// Where button's strength is read on a controller with table (null: the
// controller reports none); null when that button reports none.
const VelocityAxis* VelocitySource(const VelocityTable* table, int button);

// The strength, 0 (softest) to 1 (hardest), that a reading of source's axis
// stands for.
float VelocityFromAxis(const VelocityAxis& source, int16_t value);

}  // namespace Basalt
