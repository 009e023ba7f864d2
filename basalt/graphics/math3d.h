#pragma once
// The renderer's math records in the row-vector convention the matrices are
// written in: a point is a row (x, y, z, 1) multiplied from the left
// (p' = p x M), so a transform's translation is its fourth row and
// "A then B" is A x B. m[row][col] is stored row after row.

namespace Basalt {

struct vec3f {
  float x, y, z;
};

struct mat4 {
  float m[4][4];

  static mat4 Identity();
  static mat4 Scaling(float x, float y, float z);
  static mat4 Translation(float x, float y, float z);
  // Left-handed perspective: vertical field of view fovY (radians), aspect =
  // width / height, depth mapped to 0 at zNear and 1 at zFar.
  static mat4 PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
  // Left-handed orthographic view of the box l..r, b..t, zn..zf; depth 0..1.
  static mat4 OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf);
};

// a then b (a x b).
mat4 operator*(const mat4& a, const mat4& b);
vec3f Normalize(const vec3f& v);

}  // namespace Basalt

namespace Basalt {

// Clip coordinates whose depth runs 0..w (the convention of these matrices)
// turned into OpenGL's -w..w, so the depth buffer holds the same 0..1 values.
mat4 ToGLClipSpace(const mat4& clip);

}  // namespace Basalt
