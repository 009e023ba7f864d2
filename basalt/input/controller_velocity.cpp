#include "basalt/input/controller_velocity.h"

namespace Basalt {

namespace {

constexpr int kLeftStickX = 0, kLeftStickY = 1, kRightStickX = 3, kRightStickY = 4;
constexpr int kStrengthBits = 0x7FFF;  // the field's low 15 bits; the top one says nothing

}  // namespace

const VelocityTable kXbox360DrumVelocity = {{
    {kRightStickY, true},   // green
    {kLeftStickX, false},   // red
    {kRightStickX, false},  // blue
    {kLeftStickY, true},    // yellow
    {},                     // the bass pedal
}};

const VelocityAxis* VelocitySource(const VelocityTable* table, int button) {
  if (!table || button < 0 || button >= kVelocityButtons || table->buttons[button].axis < 0) return nullptr;
  return &table->buttons[button];
}

float VelocityFromAxis(const VelocityAxis& source, int16_t value) {
  const int field = source.invertedByDriver ? ~value : value;
  const int softness = field & kStrengthBits;
  return 1.0f - static_cast<float>(softness) / static_cast<float>(kStrengthBits);
}

}  // namespace Basalt
