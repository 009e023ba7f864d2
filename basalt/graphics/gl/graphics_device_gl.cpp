#include "basalt/graphics/gl/graphics_device_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/colour.h"
#include "basalt/graphics/gl/builtin_shaders.h"
#include "basalt/graphics/gl/index_buffer_gl.h"
#include "basalt/graphics/gl/point_list_gl.h"
#include "basalt/graphics/gl/sprite_batch.h"
#include "basalt/graphics/gl/texture_gl.h"
#include "basalt/graphics/gl/vertex_buffer_gl.h"
#include "basalt/platform/sdl/platform_sdl.h"

namespace Basalt {

namespace {

GraphicsDeviceGL* s_current = nullptr;

constexpr unsigned kMinTextureSize = 1024;

GLint Integer(GLenum limit) {
  GLint value = 0;
  glGetIntegerv(limit, &value);
  return value;
}

bool HasAnisotropy() {
  return epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
         epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic");
}

// Minification and magnification filters by g_textureFilterMode: 0 point, 1
// bilinear, 2 trilinear, 3 anisotropic; false for other modes (filters kept).
bool FiltersForMode(int mode, GLint* minFilter, GLint* magFilter) {
  switch (mode) {
    case 0:
      *minFilter = GL_NEAREST_MIPMAP_NEAREST, *magFilter = GL_NEAREST;
      return true;
    case 1:
      *minFilter = GL_LINEAR_MIPMAP_NEAREST, *magFilter = GL_LINEAR;
      return true;
    case 2:
    case 3:
      *minFilter = GL_LINEAR_MIPMAP_LINEAR, *magFilter = GL_LINEAR;
      return true;
    default:
      return false;
  }
}

}  // namespace

GraphicsDeviceGL* CurrentDeviceGL() { return s_current; }

GraphicsDeviceGL::GraphicsDeviceGL(PlatformSDL& window)
    : m_platform(window), m_world(mat4::Identity()), m_view(mat4::Identity()), m_projection(mat4::Identity()) {}

GraphicsDeviceGL::~GraphicsDeviceGL() {
  Shutdown();
  if (s_current == this) s_current = nullptr;
}

bool GraphicsDeviceGL::Fail(const char* format, ...) {
  char reason[kErrorCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(reason, sizeof reason, format, args);
  va_end(args);
  m_error = reason;
  LogMessage("%s", reason);
  return false;
}

bool GraphicsDeviceGL::Initialize(void* params) {
  m_error.clear();
  if (!m_platform.GetWindow()) return Fail("there is no window to draw into");
  if (!params) return Fail("GraphicsDeviceGL::Initialize() requires parameters");
  m_params = *static_cast<const GraphicsParams*>(params);
  s_current = this;
  return InitializeGL();
}

bool GraphicsDeviceGL::InitializeGL() {
  SDL_Window* window = m_platform.GetWindow();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  m_context = SDL_GL_CreateContext(window);
  if (!m_context) return Fail("no OpenGL 3.3 context: %s", SDL_GetError());
  LogMessage("OpenGL %s on %s", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
             reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  bool ok = EvaluateAdapter();
  if (ok && m_params.fullScreen) {
    ok = EnterFullScreen();
  } else if (ok) {
    LogMessage("- windowed mode (%dx%d)", g_screenWidth, g_screenHeight);
  }
  int red = 0, depth = 0;
  SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
  if (ok && (red < 8 || depth < 16))
    ok = Fail("the graphics adapter is not compatible (requires 32-bit colour, and depth buffer support)");
  if (ok && !CreateDeclarations()) ok = Fail("the vertex declarations cannot be made (OpenGL error)");
  ok = ok && BuildProgram(&m_fixedFunction, &m_fixedUniforms, kFixedFunctionShader, "fixed function") &&
       BuildProgram(&m_pointSprites, &m_pointUniforms, kPointSpriteShader, "point sprites");
  if (!ok) {
    Shutdown();
    return false;
  }
  SyncToDisplay();
  SetupDefaults();
  if (!Initialize2D()) {
    Shutdown();
    return Fail("Failed to initialize 2D subsystem");
  }
  return true;
}

void GraphicsDeviceGL::SyncToDisplay() {
  if (g_maxFps <= 0) {
    SDL_GL_SetSwapInterval(0);
    LogMessage("Frames: no cap, not synced to the display");
    return;
  }
  const bool synced = SDL_GL_SetSwapInterval(1) == 0;
  LogMessage("Frames: at most %d per second, %s", g_maxFps,
             synced ? "in step with the display" : "the display offers no sync");
}

// What the renderer needs of the context, checked the way the adapter's
// capabilities were: failures stop, warnings are logged, missing shader
// support selects the fixed-function stand-in.
bool GraphicsDeviceGL::EvaluateAdapter() {
  LogMessage("\nEvaluating Adapter");
  struct Requirement {
    const char* name;
    bool met;
  };
  const Requirement required[] = {
      {"GL_MAX_TEXTURE_SIZE >= 1024", Integer(GL_MAX_TEXTURE_SIZE) >= static_cast<GLint>(kMinTextureSize)},
      {"GL_MAX_TEXTURE_IMAGE_UNITS >= 8", Integer(GL_MAX_TEXTURE_IMAGE_UNITS) >= static_cast<GLint>(kNumStages)},
  };
  for (const Requirement& requirement : required) {
    if (!requirement.met) return Fail("(FAIL) %s unsupported", requirement.name);
  }
  const Requirement advised[] = {
      {"GL_EXT_texture_filter_anisotropic", HasAnisotropy()},
      {"GL_MAX_SAMPLES >= g_multisampling", Integer(GL_MAX_SAMPLES) >= g_multisampling},
  };
  for (const Requirement& advice : advised)
    if (!advice.met) LogMessage("  (WARNING) %s unsupported", advice.name);
  if (HasAnisotropy()) glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &m_maxAnisotropy);
  // Room for the material shaders' constants: two matrices, two vectors.
  const bool vertexShaders = Integer(GL_MAX_VERTEX_UNIFORM_COMPONENTS) >= 32;
  const bool pixelShaders = Integer(GL_MAX_FRAGMENT_UNIFORM_COMPONENTS) >= 8;
  if (!vertexShaders) LogMessage("  (WARN) Vertex Shader unsupported");
  if (!pixelShaders) LogMessage("  (WARN) Pixel Shader unsupported");
  if (!vertexShaders || !pixelShaders) g_noShaders = true;
  if (EnumerateDisplayModes(&m_modes) <= 0 && m_modes.empty()) return Fail("the display offers no 32-bit video mode");
  LogMessage("%s", "");
  return true;
}

bool GraphicsDeviceGL::EnterFullScreen() {
  const int index = FindClosestDisplayMode(m_modes, g_screenWidth, g_screenHeight);
  if (index < 0) return Fail("InitGL() Error: failed to enumerate device modes");
  const DisplayMode& mode = m_modes[static_cast<size_t>(index)];
  LogMessage("- mode %dx%dx32 OK", mode.width, mode.height);
  SDL_Window* window = m_platform.GetWindow();
  SDL_DisplayMode sdlMode = {mode.format, static_cast<int>(mode.width), static_cast<int>(mode.height),
                             static_cast<int>(mode.refreshRate), nullptr};
  if (SDL_SetWindowDisplayMode(window, &sdlMode) != 0 || SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
    return Fail("Failed to enter full screen: %s", SDL_GetError());
  return true;
}

bool GraphicsDeviceGL::CreateDeclarations() {
  glGenVertexArrays(1, &m_idleArray);
  glBindVertexArray(m_idleArray);
  for (unsigned type = VTYPE_P3T2_NBT; type < kNumVertexTypes; ++type) {
    glGenVertexArrays(1, &m_declarations[type]);
    glBindVertexArray(m_declarations[type]);
    const VertexLayout* layout = GetVertexLayout(static_cast<VertexType>(type));
    for (unsigned e = 0; e < layout->numElements; ++e) glEnableVertexAttribArray(layout->elements[e].attribute);
  }
  glBindVertexArray(m_idleArray);
  return glGetError() == GL_NO_ERROR;
}

bool GraphicsDeviceGL::BuildProgram(GLProgram* program, BuiltInUniforms* uniforms, const char* source,
                                    const char* name) {
  std::string stage, errors;
  if (program->Build(source, static_cast<unsigned>(std::char_traits<char>::length(source)), &stage, &errors)) {
    uniforms->clip = program->Uniform("uClip");
    uniforms->worldView = program->Uniform("uWorldView");
    uniforms->lighting = program->Uniform("uLighting");
    uniforms->material = program->Uniform("uMaterial");
    uniforms->ambient = program->Uniform("uAmbient");
    uniforms->hasTexture = program->Uniform("uHasTexture");
    uniforms->viewportHeight = program->Uniform("uViewportHeight");
    return true;
  }
  return Fail("Shader compile error \"%s\": %s: %s", name, stage.c_str(), errors.c_str());
}

void GraphicsDeviceGL::SetupDefaults() {
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(m_platform.GetWindow(), &width, &height);
  m_width = static_cast<unsigned>(width);
  m_height = static_cast<unsigned>(height);
  m_ratio = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
  m_wideScreen = m_ratio > 1.34f;
  SetPerspectiveProj(kFarPlane);
  SetupSamplers();
  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_PROGRAM_POINT_SIZE);
  if (m_params.fullScreen && g_multisampling >= 2) glEnable(GL_MULTISAMPLE);
  m_lighting = g_noShaders;
}

void GraphicsDeviceGL::SetupSamplers() {
  g_anisoLevel = std::min(g_anisoLevel, static_cast<int>(m_maxAnisotropy));
  GLint minFilter = 0, magFilter = 0;
  const bool setFilters = FiltersForMode(g_textureFilterMode, &minFilter, &magFilter);
  // Anisotropy acts only with the anisotropic filter, as it always did.
  const float anisotropy = g_textureFilterMode == 3 ? static_cast<float>(std::max(g_anisoLevel, 1)) : 1.0f;
  for (unsigned stage = 0; stage < kNumStages; ++stage) {
    if (!m_samplers[stage]) glGenSamplers(1, &m_samplers[stage]);
    if (setFilters) {
      glSamplerParameteri(m_samplers[stage], GL_TEXTURE_MIN_FILTER, minFilter);
      glSamplerParameteri(m_samplers[stage], GL_TEXTURE_MAG_FILTER, magFilter);
    }
    if (HasAnisotropy()) glSamplerParameterf(m_samplers[stage], GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
    glBindSampler(stage, m_samplers[stage]);
  }
}

bool GraphicsDeviceGL::Initialize2D() {
  m_sprite = std::make_unique<SpriteBatch>();
  if (m_sprite->Initialize()) return true;
  m_sprite.reset();
  LogMessage("SpriteBatch::Initialize failed");
  return false;
}

bool GraphicsDeviceGL::Update() {
  if (!RenderFrame()) return false;
  Present();
  return true;
}

bool GraphicsDeviceGL::RenderFrame() {
  if (!m_context) return false;
  RestoreRenderStates();
  SetPerspectiveProj(kFarPlane);
  glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
  glClearColor(ColourChannel(kClearColor, 16), ColourChannel(kClearColor, 8), ColourChannel(kClearColor, 0),
               ColourChannel(kClearColor, 24));
  glClearDepth(1.0);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  m_passes[kScenePass].Draw();
  m_sprite->Begin();
  m_passes[kOverlayPass].Draw();
  m_passes[kGuiPass].Draw();
  m_sprite->End();
  return true;
}

void GraphicsDeviceGL::Present() { SDL_GL_SwapWindow(m_platform.GetWindow()); }

unsigned GraphicsDeviceGL::ReadPixel(unsigned x, unsigned y) {
  unsigned char rgba[4] = {};
  glReadPixels(static_cast<GLint>(x), static_cast<GLint>(m_height - 1 - y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return static_cast<unsigned>(rgba[3]) << 24 | static_cast<unsigned>(rgba[0]) << 16 |
         static_cast<unsigned>(rgba[1]) << 8 | rgba[2];
}

bool GraphicsDeviceGL::Shutdown() {
  if (!m_context) return false;
  ReleaseGL();
  SDL_GL_DeleteContext(m_context);
  m_context = nullptr;
  if (s_current == this) s_current = nullptr;
  m_modes.clear();
  return true;
}

// Everything made on the context, while it is still current.
void GraphicsDeviceGL::ReleaseGL() {
  if (m_sprite) m_sprite->Release();
  m_sprite.reset();
  m_fixedFunction.Release();
  m_pointSprites.Release();
  for (unsigned& sampler : m_samplers) {
    if (sampler) glDeleteSamplers(1, &sampler);
    sampler = 0;
  }
  for (unsigned& declaration : m_declarations) {
    if (declaration) glDeleteVertexArrays(1, &declaration);
    declaration = 0;
  }
  if (m_idleArray) glDeleteVertexArrays(1, &m_idleArray);
  m_idleArray = 0;
  std::fill(std::begin(m_streamSources), std::end(m_streamSources), 0u);
  std::fill(std::begin(m_textures), std::end(m_textures), 0u);
  m_vertType = VTYPE_NONE;
  m_program = m_glProgram = m_indices = 0;
}

bool GraphicsDeviceGL::Draw2D(const TextureRect& rect, const vec3f& position, unsigned colour, ITexture* texture,
                              float scaleX, float scaleY) {
  return m_sprite && m_sprite->Draw(rect, position, colour, texture, scaleX, scaleY);
}

std::unique_ptr<ITexture> GraphicsDeviceGL::CreateTexture(const char* name) {
  return std::make_unique<TextureGL>(name);
}

std::unique_ptr<IPointList> GraphicsDeviceGL::CreatePointList() { return std::make_unique<PointListGL>(); }

IIndexBuffer* GraphicsDeviceGL::CreateIndexBuffer() { return new IndexBufferGL(); }

IVertexBuffer* GraphicsDeviceGL::CreateVertexBuffer() { return new VertexBufferGL(); }

}  // namespace Basalt
