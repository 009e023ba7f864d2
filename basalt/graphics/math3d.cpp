#include "basalt/graphics/math3d.h"

#include <cmath>

namespace Basalt {

mat4 mat4::Identity() { return Scaling(1.0f, 1.0f, 1.0f); }

mat4 mat4::Scaling(float x, float y, float z) {
  mat4 r = {};
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  r.m[3][3] = 1.0f;
  return r;
}

mat4 mat4::Translation(float x, float y, float z) {
  mat4 r = Identity();
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

mat4 mat4::PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  mat4 r = {};
  r.m[0][0] = yScale / aspect;
  r.m[1][1] = yScale;
  r.m[2][2] = zFar / (zFar - zNear);
  r.m[2][3] = 1.0f;
  r.m[3][2] = -zNear * zFar / (zFar - zNear);
  return r;
}

mat4 mat4::OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf) {
  mat4 o = Identity();
  o.m[0][0] = 2.0f / (r - l);
  o.m[1][1] = 2.0f / (t - b);
  o.m[2][2] = 1.0f / (zf - zn);
  o.m[3][0] = (l + r) / (l - r);
  o.m[3][1] = (t + b) / (b - t);
  o.m[3][2] = zn / (zn - zf);
  return o;
}

mat4 operator*(const mat4& a, const mat4& b) {
  mat4 r = {};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

vec3f Normalize(const vec3f& v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length == 0.0f) return v;
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace Basalt

namespace Basalt {

mat4 ToGLClipSpace(const mat4& clip) {
  mat4 depth = mat4::Identity();
  depth.m[2][2] = 2.0f;
  depth.m[3][2] = -1.0f;
  return clip * depth;
}

}  // namespace Basalt
