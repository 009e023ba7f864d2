#pragma once
// Compiles and links GLSL programs. A program's source is one text holding
// both stages: it is compiled once with "#define VS" and once with
// "#define PS" put in front (after its #version line, or after
// "#version 330 core" when it has none). Vertex inputs are bound to the
// fixed attribute locations of vertex_types.h by name (inPosition, inNormal,
// inTexCoord, inTangent, inBinormal, inColour, inPointSize), and every
// sampler named texture0..texture7 is tied to the texture stage of its number.
#include <string>

namespace Basalt {

class GLProgram {
 public:
  GLProgram() = default;
  ~GLProgram() { Release(); }
  GLProgram(const GLProgram&) = delete;
  GLProgram& operator=(const GLProgram&) = delete;

  // False with the compiler's or linker's text in *errors (the stage that
  // failed first, "PS" or "VS", in *stage); a failed build keeps no program.
  bool Build(const char* source, unsigned length, std::string* stage, std::string* errors);
  void Release();

  unsigned Name() const { return m_program; }
  // -1 when the program has no such uniform.
  int Uniform(const char* name) const;

 private:
  unsigned m_program = 0;
};

}  // namespace Basalt
