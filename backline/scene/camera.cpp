#include "backline/scene/camera.h"

#include <cassert>
#include <cmath>

#include "basalt/core/core.h"
#include "basalt/graphics/graphics_device.h"

void Camera::MoveTo(const Basalt::vec3f& target, float seconds) {
  assert(seconds > 0.0f && "MoveTo needs a positive time");
  m_target = target;
  m_approachRate = 1.0f / seconds;
}

bool Camera::Update() {
  Advance(Basalt::g_pCore ? Basalt::g_pCore->GetTimeKey() : 0.0f);
  if (Basalt::g_pGraphics) Basalt::g_pGraphics->SetViewMatrix(ViewMatrix());
  return true;
}

// A move time shorter than a frame lands on the target instead of passing it.
void Camera::Advance(float frameTime) {
  const float step = std::fmin(frameTime * m_approachRate, 1.0f);
  position.x += (m_target.x - position.x) * step;
  position.y += (m_target.y - position.y) * step;
  position.z += (m_target.z - position.z) * step;
}

// The world position is the one the transform walk composed this frame,
// before the camera moved: the view lags its position by one frame.
Basalt::mat4 Camera::ViewMatrix() const {
  const float c = std::cos(kTilt), s = std::sin(kTilt);
  const Basalt::vec3f w = worldPosition;
  return {{
      {1.0f, 0.0f, 0.0f, 0.0f},
      {0.0f, c, -s, 0.0f},
      {0.0f, s, c, 0.0f},
      {-w.x, -w.y, -w.z, 1.0f},
  }};
}
