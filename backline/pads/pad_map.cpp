#include "backline/pads/pad_map.h"

#include <cassert>

#include "backline/common/app_cvars.h"
#include "backline/common/pad_slots.h"
#include "basalt/foundation/log.h"

namespace {

struct RedefineVariable {
  const char* name;
  const int* value;
};

const RedefineVariable kRedefineVariables[kPadButtons] = {{"g_redPad", &g_redPad},
                                                          {"g_yellowPad", &g_yellowPad},
                                                          {"g_bluePad", &g_bluePad},
                                                          {"g_greenPad", &g_greenPad},
                                                          {"g_bassDrum", &g_bassDrum}};

void ReadRedefinedPads(PadMap* map) {
  map->redefined = g_redefinePads;
  for (int button = 0; button < kPadButtons; ++button) {
    const RedefineVariable& variable = kRedefineVariables[button];
    if (*variable.value >= 0 && *variable.value < kPadsPerKit) {
      map->redefinedPads[button] = *variable.value;
    } else {
      Basalt::LogMessage("%s = %d is not a pad (0..4); button %d keeps pad %d", variable.name, *variable.value, button,
                         map->redefinedPads[button]);
    }
  }
}

}  // namespace

void InitializePadMap(PadMap* map, const Input* input) {
  *map = PadMap();
  ReadRedefinedPads(map);
  ReadControllerKinds(map, input);
}

void ReadControllerKinds(PadMap* map, const Input* input) {
  map->numControllers = input ? input->GetNumJoys() : 0;
  for (int joy = 0; joy < map->numControllers; ++joy) map->kind[joy] = ControllerKindOf(*input, joy);
}

int MapButtonToPad(const PadMap& map, int button, ControllerKind kind) {
  assert(button >= 0 && button < kPadButtons);
  if (map.redefined) return map.redefinedPads[button];
  return PadInRow(kind, button);
}

int PadSlotOfButton(const PadMap& map, int kit, int button) {
  assert(kit >= 0 && kit < kKits);
  return PadSlotOf(kit, MapButtonToPad(map, button, map.kind[kit]));
}
