#include "basalt/input/controller_models.h"

namespace Basalt {

namespace {

// The 360 and red octane guitars count as drum sets although they are none:
// the program has always shown a kit for them. Every 360 drum kit reports its
// pads' strength the same way (controller_velocity.h); a guitar's sticks are
// its whammy and tilt, not strengths.
constexpr ControllerModel kModels[] = {
    {0x00021BAD, "    (360 harmonix fender strat)", true, false, true, nullptr},
    {0x00031BAD, "    (360 drumset A)", true, true, true, &kXbox360DrumVelocity},
    {0x00051BAD, "    (Wii drumset)", false, true, true, nullptr},
    {0x01301BAD, "    (ION Drum Rocker)", true, true, true, &kXbox360DrumVelocity},
    {0x020012BA, "    (PS3 harmonix fender strat)", true, false, false, nullptr},
    {0x021012BA, "    (PlayStation drumset)", false, true, true, nullptr},
    {0x0719045E, "    (Wireless 360 Controller)", true, true, true, &kXbox360DrumVelocity},
    {0x47481430, "    (360 red octane x-plorer guitar)", true, false, true, nullptr},
    {0x98710738, "    (Madcatz Controller)", false, true, true, nullptr},
    {0xFF031BAD, "    (360 drumset B)", true, true, true, &kXbox360DrumVelocity},
};

}  // namespace

const ControllerModel* FindControllerModel(uint32_t key) {
  for (const ControllerModel& model : kModels) {
    if (model.key == key) return &model;
  }
  return nullptr;
}

}  // namespace Basalt
