#pragma once
// The scene's eye. Each frame it glides a fraction of the way towards its
// target and hands the graphics device the view from its world position,
// tilted downwards. Created by the scene graph (owned there); its type
// identifier 0 keeps it out of the drawing. Main thread only.
#include "basalt/scene/base_object.h"

class Camera : public Basalt::IBaseObject {
 public:
  // The downward tilt of the view, radians.
  static constexpr float kTilt = 0.5f;

  // Standing still at the origin until MoveTo.
  Camera() = default;

  // Glides towards target, covering the fraction frameTime / seconds of the
  // remaining distance each frame; seconds must be above 0.
  void MoveTo(const Basalt::vec3f& target, float seconds);
  // Moves on by the core's frame time and sets the view matrix.
  bool Update() override;
  // Moves on by frameTime seconds (what Update does with the core's time key).
  void Advance(float frameTime);
  // The view from the world position: tilted down, translated, not rotated.
  Basalt::mat4 ViewMatrix() const;

  const Basalt::vec3f& GetTarget() const { return m_target; }

 private:
  Basalt::vec3f m_target = {0.0f, 0.0f, 0.0f};
  float m_approachRate = 0.0f;  // 1 / seconds
};
