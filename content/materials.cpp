#include "content/materials.h"

namespace content {

std::string MaterialFileText() {
  // The file has no comment syntax: every word counts.
  return "BEGIN SHADER default.shd\n"
         "\tVS_WORLD_VIEW_PROJ VS_LIGHT_POS\n"
         "\tVTYPE_P3T2_NBT\n"
         "END\n"
         "\n"
         "BEGIN MATERIAL NoMaterial\n\tTEXTURE0 white.tga\nEND\n"
         "BEGIN MATERIAL DrumHead\n\tTEXTURE0 drumhead.tga\nEND\n"
         "BEGIN MATERIAL BassHead\n\tTEXTURE0 basshead.tga\nEND\n"
         "BEGIN MATERIAL DrumShell\n\tTEXTURE0 shell.tga\nEND\n"
         "BEGIN MATERIAL Cymbal\n\tTEXTURE0 brass.tga\nEND\n"
         "BEGIN MATERIAL Chrome\n\tTEXTURE0 chrome.tga\nEND\n"
         "BEGIN MATERIAL Pedal\n\tTEXTURE0 chrome.tga\nEND\n"
         "BEGIN MATERIAL HoopRed\n\tTEXTURE0 red.tga\nEND\n"
         "BEGIN MATERIAL HoopYellow\n\tTEXTURE0 yellow.tga\nEND\n"
         "BEGIN MATERIAL HoopBlue\n\tTEXTURE0 blue.tga\nEND\n"
         "BEGIN MATERIAL HoopGreen\n\tTEXTURE0 green.tga\nEND\n"
         "BEGIN MATERIAL HoopOrange\n\tTEXTURE0 orange.tga\nEND\n";
}

std::string DefaultShaderText() {
  return R"(// The drum set's surfaces, lit in the mesh's own space by the three lights
// of lightPos: a soft ambient, diffuse light, and a specular highlight that
// makes heads, cymbals and chrome look slightly glossy. glowColor is the
// subset colour: white at rest; when a pad is struck it takes the pad's
// colour, which tints the surface and makes it glow, and fades back.
#ifdef VS
in vec3 inPosition;
in vec3 inNormal;
in vec2 inTexCoord;

uniform mat4 matWorldViewProj;

out vec3 vPosition;
out vec3 vNormal;
out vec2 vTexCoord;

void main() {
  vPosition = inPosition;
  vNormal = inNormal;
  vTexCoord = inTexCoord;
  gl_Position = matWorldViewProj * vec4(inPosition, 1.0);
}
#endif

#ifdef PS
in vec3 vPosition;
in vec3 vNormal;
in vec2 vTexCoord;

uniform sampler2D texture0;
uniform mat4 lightPos;
uniform vec4 glowColor;
uniform vec4 viewPos;

out vec4 fragColor;

void main() {
  vec3 normal = normalize(vNormal);
  vec3 toViewer = normalize(viewPos.xyz - vPosition);
  vec3 base = texture(texture0, vTexCoord).rgb;
  vec3 light = vec3(0.18);
  float shine = 0.0;
  for (int i = 0; i < 3; ++i) {
    vec3 toLight = normalize(lightPos[i].xyz - vPosition);
    light += vec3(0.42) * max(dot(normal, toLight), 0.0);
    shine += pow(max(dot(normal, normalize(toLight + toViewer)), 0.0), 24.0) * 0.25;
  }
  vec3 tint = clamp(glowColor.rgb, 0.0, 1.0);
  float flash = 1.0 - (tint.r + tint.g + tint.b) / 3.0;
  vec3 colour = base * light * tint + vec3(shine) + tint * flash * 0.9;
  fragColor = vec4(colour, 1.0);
}
#endif
)";
}

}  // namespace content
