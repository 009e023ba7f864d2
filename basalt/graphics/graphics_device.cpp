#include "basalt/graphics/graphics_device.h"

namespace Basalt {

IGraphicsDevice* g_pGraphics = nullptr;

}  // namespace Basalt
