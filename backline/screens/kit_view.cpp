#include "backline/screens/kit_view.h"

#include "backline/controls/kit_controls.h"
#include "backline/scene/camera.h"
#include "basalt/input/input.h"

void ToggleMetronomeOnRequest(Metronome& metronome, const PadMap& padMap, const MenuKeys& keys) {
  const int presses = KitStartPresses(Basalt::g_pInput, padMap) + (keys.event[MenuSpace] ? 1 : 0);
  if (presses % 2) metronome.on = !metronome.on;
}

void MoveCameraToKit(Camera& camera, unsigned kitsShown) {
  camera.MoveTo({0.0f, 8.0f, kitsShown < 2 ? -32.0f : -35.0f}, 1.0f);
}
