#include "basalt/graphics/gl/gl_program.h"

#include <epoxy/gl.h>

#include <cstring>
#include <vector>

#include "basalt/graphics/vertex_types.h"

namespace Basalt {

namespace {

const char kDefaultVersion[] = "#version 330 core\n";

struct AttributeName {
  VertexAttribute location;
  const char* name;
};
const AttributeName kAttributeNames[] = {
    {kAttribPosition, "inPosition"}, {kAttribNormal, "inNormal"},   {kAttribTexCoord, "inTexCoord"},
    {kAttribTangent, "inTangent"},   {kAttribBinormal, "inBinormal"}, {kAttribColour, "inColour"},
    {kAttribPointSize, "inPointSize"},
};

// The source with the stage's define after the #version line; "#line" keeps
// the compiler's line numbers those of the file.
std::string StageSource(const std::string& text, const char* stage) {
  const std::string define = std::string("#define ") + stage + "\n";
  const size_t start = text.find_first_not_of(" \t\r\n");
  if (start != std::string::npos && text.compare(start, 8, "#version") == 0) {
    const size_t lineEnd = text.find('\n', start);
    if (lineEnd == std::string::npos) return text + "\n" + define;
    return text.substr(0, lineEnd + 1) + define + "#line 2\n" + text.substr(lineEnd + 1);
  }
  return kDefaultVersion + define + "#line 1\n" + text;
}

std::string InfoLog(GLuint object, bool isProgram) {
  GLint length = 0;
  if (isProgram)
    glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
  else
    glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> text(static_cast<size_t>(length > 0 ? length : 1), '\0');
  if (isProgram)
    glGetProgramInfoLog(object, length, nullptr, text.data());
  else
    glGetShaderInfoLog(object, length, nullptr, text.data());
  return text.data();
}

GLuint CompileStage(GLenum kind, const std::string& source, std::string* errors) {
  const GLuint shader = glCreateShader(kind);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  *errors = InfoLog(shader, false);
  glDeleteShader(shader);
  return 0;
}

void BindSamplers(GLuint program) {
  GLint previous = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
  glUseProgram(program);
  for (int stage = 0; stage < 8; ++stage) {
    const std::string name = "texture" + std::to_string(stage);
    const GLint location = glGetUniformLocation(program, name.c_str());
    if (location >= 0) glUniform1i(location, stage);
  }
  glUseProgram(static_cast<GLuint>(previous));
}

}  // namespace

bool GLProgram::Build(const char* source, unsigned length, std::string* stage, std::string* errors) {
  Release();
  const std::string text(source, length);
  // The pixel stage first, as the effect files were always compiled.
  *stage = "PS";
  const GLuint pixel = CompileStage(GL_FRAGMENT_SHADER, StageSource(text, "PS"), errors);
  if (!pixel) return false;
  *stage = "VS";
  const GLuint vertex = CompileStage(GL_VERTEX_SHADER, StageSource(text, "VS"), errors);
  if (!vertex) {
    glDeleteShader(pixel);
    return false;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, pixel);
  for (const AttributeName& attribute : kAttributeNames) glBindAttribLocation(program, attribute.location, attribute.name);
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(pixel);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    *stage = "link";
    *errors = InfoLog(program, true);
    glDeleteProgram(program);
    return false;
  }
  BindSamplers(program);
  m_program = program;
  return true;
}

void GLProgram::Release() {
  if (m_program) glDeleteProgram(m_program);
  m_program = 0;
}

int GLProgram::Uniform(const char* name) const { return m_program ? glGetUniformLocation(m_program, name) : -1; }

}  // namespace Basalt
