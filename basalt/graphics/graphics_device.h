#pragma once
#include "basalt/core/idevice.h"

namespace Basalt {

// The parameter block of IGraphicsDevice::Initialize, in this order.
struct GraphicsParams {
  unsigned height;
  unsigned width;
  unsigned colorDepth;
  unsigned backBufferCount;
  bool fullScreen;
};

// Renders into the platform's window. Update draws and presents one frame.
// Main thread only; the window must outlive the device.
class IGraphicsDevice : public IDevice {};

extern IGraphicsDevice* g_pGraphics;

}  // namespace Basalt
