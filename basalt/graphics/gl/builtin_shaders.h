#pragma once
// The GLSL programs the device itself draws with, in the two-stage format of
// gl_program.h: the stand-in for the fixed-function pipeline (used whenever
// no material shader is active), the point-sprite program and the sprite
// batch's program.

namespace Basalt {

extern const char kFixedFunctionShader[];
extern const char kPointSpriteShader[];
extern const char kSpriteShader[];

}  // namespace Basalt
