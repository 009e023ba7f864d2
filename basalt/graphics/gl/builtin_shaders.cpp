#include "basalt/graphics/gl/builtin_shaders.h"

namespace Basalt {

// Lighting on: the colour is the material's emissive plus ambient light times
// its ambient colour (the scene sets no lights, so there is no diffuse term),
// saturated, as the fixed-function pipeline computes it. Lighting off: white.
// Either way modulated by texture stage 0 when one is bound.
const char kFixedFunctionShader[] = R"(
uniform mat4 uClip;
uniform int uLighting;
uniform vec4 uMaterial;
uniform vec4 uAmbient;
uniform int uHasTexture;
uniform sampler2D texture0;
#ifdef VS
in vec3 inPosition;
in vec2 inTexCoord;
out vec2 vTexCoord;
void main() {
  gl_Position = uClip * vec4(inPosition, 1.0);
  vTexCoord = inTexCoord;
}
#endif
#ifdef PS
in vec2 vTexCoord;
out vec4 outColour;
void main() {
  vec4 colour = vec4(1.0);
  if (uLighting != 0) colour = clamp(vec4(uMaterial.rgb + uAmbient.rgb * uMaterial.rgb, uMaterial.a), 0.0, 1.0);
  if (uHasTexture != 0) colour *= texture(texture0, vTexCoord);
  outColour = colour;
}
#endif
)";

// Point sprites scaled with distance: size x viewport height / sqrt(1 + d)
// (scale factors A = 1, B = 1, C = 0), coloured by the point and textured
// over the sprite.
const char kPointSpriteShader[] = R"(
uniform mat4 uClip;
uniform mat4 uWorldView;
uniform float uViewportHeight;
uniform int uHasTexture;
uniform sampler2D texture0;
#ifdef VS
in vec3 inPosition;
in float inPointSize;
in vec4 inColour;
out vec4 vColour;
void main() {
  gl_Position = uClip * vec4(inPosition, 1.0);
  float d = length((uWorldView * vec4(inPosition, 1.0)).xyz);
  gl_PointSize = max(uViewportHeight * inPointSize * sqrt(1.0 / (1.0 + d)), 1.0);
  vColour = inColour;
}
#endif
#ifdef PS
in vec4 vColour;
out vec4 outColour;
void main() {
  outColour = vColour;
  if (uHasTexture != 0) outColour *= texture(texture0, gl_PointCoord);
}
#endif
)";

const char kSpriteShader[] = R"(
uniform mat4 uClip;
uniform int uHasTexture;
uniform sampler2D texture0;
#ifdef VS
in vec3 inPosition;
in vec2 inTexCoord;
in vec4 inColour;
out vec2 vTexCoord;
out vec4 vColour;
void main() {
  gl_Position = uClip * vec4(inPosition, 1.0);
  vTexCoord = inTexCoord;
  vColour = inColour;
}
#endif
#ifdef PS
in vec2 vTexCoord;
in vec4 vColour;
out vec4 outColour;
void main() {
  outColour = vColour;
  if (uHasTexture != 0) outColour *= texture(texture0, vTexCoord);
}
#endif
)";

}  // namespace Basalt
