#pragma once
// The renderer's interface. The core creates the one device in InitializeGraphics
// and publishes it as g_pGraphics; Update draws and presents one frame.
// Main thread only; the platform window must outlive the device.
#include <memory>

#include "basalt/foundation/idevice.h"
#include "basalt/graphics/math3d.h"
#include "basalt/graphics/point_list.h"
#include "basalt/graphics/texture.h"
#include "basalt/graphics/vertex_types.h"

namespace Basalt {

class ITexture;
class IIndexBuffer;
class IVertexBuffer;

// The parameter block of IGraphicsDevice::Initialize, in this order. Only the
// back-buffer count and the full-screen flag are read: the size comes from
// g_screenWidth and g_screenHeight.
struct GraphicsParams {
  unsigned height;
  unsigned width;
  unsigned colorDepth;
  unsigned backBufferCount;
  bool fullScreen;
};

// A source rectangle in texture pixels; right and bottom are exclusive.
struct TextureRect {
  int left;
  int top;
  int right;
  int bottom;
};

class IGraphicsDevice : public IDevice {
 public:
  enum RenderStateSetting {
    RS_ALPHA_BLEND = 1,      // value != 0: blending on
    RS_TEXTURE_ADDRESS = 2,  // stage 0, u and v: 1 wrap, 2 clamp, 3 mirror, 4 border (others only cached)
    RS_DEPTH_WRITE = 3,      // value != 0: depth writes on
  };
  static constexpr unsigned kNumRenderStates = 4;  // index 0 unused

  // What a frame draws over the clear, in this order: the scene (perspective
  // projection), then the 2D pass: the overlay, then the GUI. Each is a
  // function called with its context (not owned; null stops the pass) from
  // the device's Update on the main thread.
  enum FramePass { kScenePass, kOverlayPass, kGuiPass, kNumFramePasses };
  using DrawPass = void (*)(void* context);
  virtual void SetFramePass(FramePass pass, DrawPass draw, void* context) = 0;
  // Whether the device has its 2D pass (Draw2D draws nothing without it).
  virtual bool Has2DPass() const = 0;
  virtual bool Initialize2D() = 0;
  // Draws the rect of texture (none: plain colour) scaled by scaleX, scaleY
  // about its top-left corner, which lands at position (pixels, y down; z is
  // the depth), modulated by the ARGB colour. Only inside the 2D pass of Update.
  virtual bool Draw2D(const TextureRect& rect, const vec3f& position, unsigned colour, ITexture* texture, float scaleX,
                      float scaleY) = 0;
  virtual unsigned GetScreenWidth() = 0;
  virtual unsigned GetScreenHeight() = 0;
  virtual float GetScreenRatio() = 0;
  // Selects the vertex layout of type (1..4); unchanged types and other values do nothing.
  virtual void SetVertType(VertexType type) = 0;
  // Applies a render state unless value is the cached one (force applies it anyway).
  virtual void SetRenderState(RenderStateSetting setting, unsigned value, bool force) = 0;
  // The cached value; fromDevice reads alpha blending back from the device (0 for the others).
  virtual unsigned GetRenderState(RenderStateSetting setting, bool fromDevice) = 0;
  virtual void SetViewMatrix(const mat4& view) = 0;
  // New, empty buffers owned by the caller.
  // A new texture without an image, owned by the caller, on the device's
  // context; null when the device makes none.
  virtual std::unique_ptr<ITexture> CreateTexture(const char* name) = 0;
  // A new, empty point list owned by the caller, on the device's context;
  // null when the device makes none.
  virtual std::unique_ptr<IPointList> CreatePointList() = 0;
  virtual IIndexBuffer* CreateIndexBuffer() = 0;
  virtual IVertexBuffer* CreateVertexBuffer() = 0;
};

extern IGraphicsDevice* g_pGraphics;

}  // namespace Basalt
