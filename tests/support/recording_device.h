#pragma once
// An IGraphicsDevice that draws nothing and records the 2D quads and render
// states it is handed, for checking what widgets, fonts and the GUI draw.
// Install() publishes it as g_pGraphics (the device it replaces still makes
// the textures, so they live on a real context when there is one).
#include <memory>
#include <vector>

#include "basalt/graphics/graphics_device.h"

namespace test {

struct Quad {
  Basalt::TextureRect rect;
  Basalt::vec3f position;
  unsigned colour;
  Basalt::ITexture* texture;
  float scaleX, scaleY;
};

class RecordingDevice : public Basalt::IGraphicsDevice {
 public:
  RecordingDevice() : m_previous(Basalt::g_pGraphics) { Basalt::g_pGraphics = this; }
  ~RecordingDevice() override { Basalt::g_pGraphics = m_previous; }

  bool Initialize(void*) override { return true; }
  bool Update() override { return true; }
  bool Shutdown() override { return true; }
  bool Initialize2D() override { return true; }
  bool Draw2D(const Basalt::TextureRect& rect, const Basalt::vec3f& position, unsigned colour,
              Basalt::ITexture* texture, float scaleX, float scaleY) override {
    quads.push_back({rect, position, colour, texture, scaleX, scaleY});
    return true;
  }
  unsigned GetScreenWidth() override { return width; }
  unsigned GetScreenHeight() override { return height; }
  float GetScreenRatio() override { return static_cast<float>(width) / static_cast<float>(height); }
  void SetVertType(Basalt::VertexType) override {}
  void SetRenderState(RenderStateSetting setting, unsigned value, bool) override {
    if (setting == RS_DEPTH_WRITE) depthWrites.push_back(value);
  }
  unsigned GetRenderState(RenderStateSetting, bool) override { return 0; }
  void SetViewMatrix(const Basalt::mat4&) override {}
  std::unique_ptr<Basalt::ITexture> CreateTexture(const char* name) override {
    return m_previous ? m_previous->CreateTexture(name) : nullptr;
  }
  std::unique_ptr<Basalt::IPointList> CreatePointList() override {
    return m_previous ? m_previous->CreatePointList() : nullptr;
  }
  void SetFramePass(FramePass, DrawPass, void*) override {}
  bool Has2DPass() const override { return true; }
  Basalt::IIndexBuffer* CreateIndexBuffer() override { return nullptr; }
  Basalt::IVertexBuffer* CreateVertexBuffer() override { return nullptr; }

  std::vector<Quad> quads;
  std::vector<unsigned> depthWrites;
  unsigned width = 800, height = 600;  // the screen it reports

 private:
  Basalt::IGraphicsDevice* m_previous;
};

}  // namespace test
