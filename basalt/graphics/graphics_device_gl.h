#pragma once
#include "basalt/graphics/graphics_device.h"

namespace Basalt {

// IGraphicsDevice on OpenGL 3.3 core: a context on the platform window,
// presented without vsync so the loop runs as fast as it can.
class GraphicsDeviceGL : public IGraphicsDevice {
 public:
  // The colour every frame starts from, ARGB.
  static constexpr unsigned kClearColor = 0xFF00080F;

  GraphicsDeviceGL() = default;
  ~GraphicsDeviceGL() override;

  // params: GraphicsParams*. Needs g_pPlatformSDL's window.
  bool Initialize(void* params) override;
  // Clears, draws and presents one frame.
  bool Update() override;
  bool Shutdown() override;

 private:
  void* m_context = nullptr;  // SDL_GLContext
  unsigned m_width = 0;
  unsigned m_height = 0;
};

extern GraphicsDeviceGL* g_pGraphicsGL;

}  // namespace Basalt
