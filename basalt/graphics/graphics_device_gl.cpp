#include "basalt/graphics/graphics_device_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include "basalt/core/log.h"
#include "basalt/platform/platform_sdl.h"

namespace Basalt {

IGraphicsDevice* g_pGraphics = nullptr;
GraphicsDeviceGL* g_pGraphicsGL = nullptr;

namespace {

float Channel(unsigned argb, unsigned shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.0f; }

}  // namespace

GraphicsDeviceGL::~GraphicsDeviceGL() { Shutdown(); }

bool GraphicsDeviceGL::Initialize(void* params) {
  const GraphicsParams* setup = static_cast<const GraphicsParams*>(params);
  SDL_Window* window = g_pPlatformSDL ? g_pPlatformSDL->GetWindow() : nullptr;
  if (!setup || !window) return false;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  m_context = SDL_GL_CreateContext(window);
  if (!m_context) {
    if (g_pSystemLog) g_pSystemLog->Send("GraphicsDeviceGL::Initialize(): no OpenGL 3.3 context: %s", SDL_GetError());
    return false;
  }
  SDL_GL_SetSwapInterval(0);
  m_width = setup->width;
  m_height = setup->height;
  if (g_pSystemLog)
    g_pSystemLog->Send("OpenGL %s on %s", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                       reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  return true;
}

bool GraphicsDeviceGL::Update() {
  if (!m_context) return false;
  glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
  glClearColor(Channel(kClearColor, 16), Channel(kClearColor, 8), Channel(kClearColor, 0), Channel(kClearColor, 24));
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SDL_GL_SwapWindow(g_pPlatformSDL->GetWindow());
  return true;
}

bool GraphicsDeviceGL::Shutdown() {
  if (!m_context) return false;
  SDL_GL_DeleteContext(m_context);
  m_context = nullptr;
  return true;
}

}  // namespace Basalt
