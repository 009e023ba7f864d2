#include "backline/controls/kit_controls.h"

namespace {

constexpr int kPovUp = 0, kPovDown = 18000;

// Buttons 0..3 are a kit's four pads on every kind.
bool PadDown(const Input& input, int joy) {
  for (int button = 0; button < kPadButtons - 1; ++button)
    if (input.GetJoyButton(joy, button) != 0.0f) return true;
  return false;
}

}  // namespace

KitTempoKeys ReadKitTempo(KitTempoPads* pads, const Input& input) {
  KitTempoKeys keys;
  for (int joy = 0; joy < input.GetNumJoys(); ++joy) {
    const int pov = input.GetJoyHat(joy, 0);
    if (pov != pads->pov[joy]) pads->counts[joy] = !PadDown(input, joy);
    pads->pov[joy] = pov;
    if (!pads->counts[joy]) continue;
    keys.raise |= pov == kPovUp;
    keys.lower |= pov == kPovDown;
  }
  return keys;
}

int KitStartPresses(const Input* input, const PadMap& map) {
  if (!input) return 0;
  int count = 0, starts = 0;
  const Basalt::InputEvent* presses = input->GetFramePresses(&count);
  for (int i = 0; i < count; ++i) {
    const Basalt::InputEvent& press = presses[i];
    starts += press.type == Basalt::InputEvent::ButtonDown && press.joy >= 0 && press.joy < map.numControllers &&
              press.code == StartButtonOf(map.kind[press.joy]);
  }
  return starts;
}
