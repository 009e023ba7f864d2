#pragma once
// The game controllers the engine recognises, by USB vendor and product id,
// with how the program is to treat each one.
#include <cstdint>

#include "basalt/input/controller_velocity.h"

namespace Basalt {

struct ControllerModel {
  uint32_t key;            // product id << 16 | vendor id
  const char* logText;     // the log line written when the controller is found
  bool is360;              // button layout of the 360 kits
  bool isDrums;            // a drum kit rather than a guitar
  bool countedAsDrumSet;   // counted among the drum sets shown on screen
  const VelocityTable* velocity;  // where its pads' strength is read; null: it reports none
};

// The controller key of a USB device.
constexpr uint32_t ControllerKey(uint16_t vendor, uint16_t product) {
  return static_cast<uint32_t>(product) << 16 | vendor;
}

// The model with this key; null for a device we do not recognise. The
// result points into a static table.
const ControllerModel* FindControllerModel(uint32_t key);

}  // namespace Basalt
