#include "backline/pads/controller_kind.h"

#include <cassert>

#include "backline/common/pad_slots.h"

namespace {

constexpr int kGenericRow[kPadButtons] = {BluePad, GreenPad, RedPad, YellowPad, BassPedal};
constexpr int kMadCatzRow[kPadButtons] = {RedPad, YellowPad, BluePad, GreenPad, BassPedal};
constexpr int kXbox360Row[kPadButtons] = {GreenPad, RedPad, BluePad, YellowPad, BassPedal};

constexpr int kXpadStart = 7;
constexpr int kHidStart = 9;

// The models whose kind their 360 flag does not tell.
struct KindOfModel {
  uint32_t key;
  ControllerKind kind;
};
constexpr KindOfModel kKindsOfModels[] = {
    {0x00051BAD, WiiKind},      // the Wii drumset
    {0x31101BAD, WiiKind},      // the Wii Rock Band 2 and 3 kit
    {0x98710738, MadCatzKind},  // the Mad Catz kit
};

}  // namespace

ControllerKind ControllerKindOf(const Input& input, int joy) {
  if (input.IsJoy360(joy)) return Xbox360Kind;
  for (const KindOfModel& model : kKindsOfModels)
    if (input.GetJoyType(joy) == model.key) return model.kind;
  return GenericKind;
}

int PadInRow(ControllerKind kind, int button) {
  assert(button >= 0 && button < kPadButtons);
  switch (kind) {
    case GenericKind:
    case WiiKind:
      return kGenericRow[button];
    case MadCatzKind:
      return kMadCatzRow[button];
    default:
      return kXbox360Row[button];
  }
}

int StartButtonOf(ControllerKind kind) { return kind == Xbox360Kind || kind == MadCatzKind ? kXpadStart : kHidStart; }
