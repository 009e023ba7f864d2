#pragma once
// What the screens that show the whole kit share: the camera's view of it
// (the menu, Free Play, Record, Playback) and the metronome's switch (Free
// Play, Record). Main thread, once per frame.
#include "backline/controls/menu_keys.h"
#include "backline/controls/metronome.h"
#include "backline/pads/pad_map.h"

class Camera;

// Switches the metronome once for every press of Space and of a kit's Start
// button this frame.
void ToggleMetronomeOnRequest(Metronome& metronome, const PadMap& padMap, const MenuKeys& keys);

// Glides the camera to the view of the whole kit (one kit or two).
void MoveCameraToKit(Camera& camera, unsigned kitsShown);
