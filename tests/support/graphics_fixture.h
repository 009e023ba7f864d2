#pragma once
// A window with a live OpenGL device, a material manager and a core (for its
// scene graph), published as the engine's globals the way the core sets them
// up, in a temporary game directory. Message boxes are recorded, not shown.
#include <memory>
#include <string>
#include <vector>

#include "basalt/core/core.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/gl/material_manager_gl.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "tests/support/engine_fixture.h"

namespace test {

class GraphicsFixture : public EngineFixture {
 public:
  // Captions and texts of the message boxes shown so far ("caption|text").
  static std::vector<std::string>& Boxes();

 protected:
  static constexpr unsigned kWidth = 64;
  static constexpr unsigned kHeight = 48;
  // The clear colour as read back (the frame has no alpha to keep).
  static constexpr unsigned kClearPixel = 0xFF00080F;

  // A window of width x height pixels.
  explicit GraphicsFixture(unsigned width = kWidth, unsigned height = kHeight)
      : m_windowWidth(width), m_windowHeight(height) {}
  void SetUp() override;
  void TearDown() override;

  Basalt::GraphicsDeviceGL& Device() { return *m_device; }
  Basalt::MaterialManagerGL& Materials() { return *m_materials; }
  Basalt::Core& TheCore() { return *m_core; }
  // Parses material-file text.
  bool ParseMaterials(const std::string& text);

 private:
  unsigned m_windowWidth;
  unsigned m_windowHeight;
  std::unique_ptr<Basalt::Core> m_core;
  std::unique_ptr<Basalt::PlatformSDL> m_platform;
  std::unique_ptr<Basalt::GraphicsDeviceGL> m_device;
  std::unique_ptr<Basalt::MaterialManagerGL> m_materials;
};

// A shader file in the two-stage GLSL format that draws each subset in half
// its glow colour when the lights arrive where meshes put them (black otherwise).
extern const char kHalfGlowShader[];
// Declares kHalfGlowShader as "flat.shd" (written to disk) and "NoMaterial" with it.
extern const char kFlatMaterials[];
void WriteFlatShader();

// Whether two ARGB colours differ by at most 2 in each channel (rounding).
::testing::AssertionResult NearColour(unsigned actual, unsigned expected);

}  // namespace test
