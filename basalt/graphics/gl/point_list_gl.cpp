#include "basalt/graphics/gl/point_list_gl.h"

#include <epoxy/gl.h>

#include "basalt/foundation/log.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/graphics/texture.h"

namespace Basalt {

bool PointListGL::Fill(const VertexPoint* points, unsigned n) {
  if (n > m_capacity) {
    m_buffer.Shutdown();
    m_capacity = 0;
    if (!m_buffer.Initialize(n, sizeof(VertexPoint), VTYPE_POINT, kUsageStatic)) {
      LogMessage("Failed to initialize vbuffer for point list");
      return false;
    }
    m_capacity = n;
  }
  m_count = n;
  if (!m_buffer.Fill(points, n, 0, kFillDiscard)) {
    LogMessage("Failed to fill PointList vbuffer");
    Shutdown();
    return false;
  }
  return true;
}

void PointListGL::Render(const mat4& world) {
  if (m_count == 0 || m_capacity == 0 || !CurrentDeviceGL()) return;
  GraphicsDeviceGL* device = CurrentDeviceGL();
  device->SetWorldMatrix(world);
  device->UseProgram(0);
  device->SetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, 1, false);
  ITexture* star = g_pMaterialManager ? g_pMaterialManager->FindTexture(kTextureName) : nullptr;
  if (star)
    star->Activate(0);
  else
    device->ClearTexture(0);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  m_buffer.Activate();
  device->DrawPoints(m_count);
  glDepthMask(GL_TRUE);
}

void PointListGL::Shutdown() {
  m_buffer.Shutdown();
  m_count = 0;
  m_capacity = 0;
}

}  // namespace Basalt
