#pragma once
// IShader on a GLSL program. A shader file holds both stages in one text
// (see gl_program.h): the vertex stage inside "#ifdef VS", the pixel stage
// inside "#ifdef PS", no #version line needed. The uniforms it may declare:
//   mat4 matWorldViewProj  world x view x projection, ready for gl_Position =
//                          matWorldViewProj * vec4(inPosition, 1.0)
//   mat4 lightPos          lightPos[i].xyz is light i's position (i < 3)
//   vec4 glowColor         the subset's colour
//   vec4 viewPos           the eye position in .xyz
//   sampler2D texture0..7  the material's texture stages
#include "basalt/graphics/gl/gl_program.h"
#include "basalt/graphics/shader.h"

namespace Basalt {

class ShaderGL : public IShader {
 public:
  using IShader::IShader;
  ~ShaderGL() override { Release(); }

  // With g_noShaders set, true and nothing is built. A compile or link error
  // is logged with the shader's name and the compiler's text.
  bool Compile(const char* text, unsigned length) override;
  // A shader that failed to build selects the fixed-function stand-in.
  bool Activate() override;
  // Reads the device's world, view and projection transforms.
  void UpdateParms(const ShaderParms& parms) override;
  void Release() override;

  bool IsBuilt() const { return m_program.Name() != 0; }

 private:
  GLProgram m_program;
  int m_matWorldViewProj = -1;
  int m_lightPos = -1;
  int m_glowColor = -1;
  int m_viewPos = -1;
};

}  // namespace Basalt
