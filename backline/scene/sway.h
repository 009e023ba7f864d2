#pragma once
// The drum set's gentle swaying: a phase that drifts at 0.2 per second
// between -1.5 and 1.5 on Free Play, turned into a turn about the y axis.

struct Sway {
  float sway = 0.0f;
  float direction = 1.0f;
};

// One Free Play frame of drift.
void UpdateSway(Sway* sway, float frameTime);

// The drum set's rotation about the y axis, radians.
float SwayRotation(const Sway& sway);
