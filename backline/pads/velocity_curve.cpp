#include "backline/pads/velocity_curve.h"

#include <algorithm>

#include "backline/common/app_cvars.h"

namespace {

float Shape(float velocity, int curve) { return curve == kVelocityLinear ? velocity : velocity * velocity; }

}  // namespace

float VelocityLevel(float velocity, int curve, int floorPercent) {
  if (curve == kVelocityOff) return 1.0f;
  const float floor = static_cast<float>(std::clamp(floorPercent, 0, 100)) / 100.0f;
  return floor + (1.0f - floor) * Shape(std::clamp(velocity, 0.0f, 1.0f), curve);
}

float VelocityLevel(float velocity) { return VelocityLevel(velocity, g_velocityCurve, g_velocityFloor); }
