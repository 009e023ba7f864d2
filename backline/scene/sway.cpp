#include "backline/scene/sway.h"

#include <cmath>

void UpdateSway(Sway* sway, float frameTime) {
  sway->sway += sway->direction * frameTime * 0.2f;
  if (sway->sway > 1.5f) sway->direction = -1.0f;
  if (sway->sway < -1.5f) sway->direction = 1.0f;
}

float SwayRotation(const Sway& sway) { return std::sin(sway.sway) * 0.5f; }
