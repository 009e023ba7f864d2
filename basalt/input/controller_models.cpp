#include "basalt/input/controller_models.h"

namespace Basalt {

namespace {

// The 360 and red octane guitars count as drum sets although they are none:
// the program has always shown a kit for them.
constexpr ControllerModel kModels[] = {
    {0x00021BAD, "    (360 harmonix fender strat)", true, false, true},
    {0x00031BAD, "    (360 drumset A)", true, true, true},
    {0x00051BAD, "    (Wii drumset)", false, true, true},
    {0x01301BAD, "    (ION Drum Rocker)", true, true, true},
    {0x020012BA, "    (PS3 harmonix fender strat)", true, false, false},
    {0x021012BA, "    (PlayStation drumset)", false, true, true},
    {0x0719045E, "    (Wireless 360 Controller)", true, true, true},
    {0x47481430, "    (360 red octane x-plorer guitar)", true, false, true},
    {0x98710738, "    (Madcatz Controller)", false, true, true},
    {0xFF031BAD, "    (360 drumset B)", true, true, true},
};

}  // namespace

const ControllerModel* FindControllerModel(uint32_t key) {
  for (const ControllerModel& model : kModels) {
    if (model.key == key) return &model;
  }
  return nullptr;
}

}  // namespace Basalt
