#include "basalt/graphics/gl/graphics_device_gl.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/gl/mesh_manager_gl.h"
#include "basalt/graphics/gl/texture_gl.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "basalt/scene/base_object.h"
#include "basalt/scene/scene_graph.h"
#include "tests/support/gmsh_builder.h"
#include "tests/support/graphics_fixture.h"

namespace {

using Basalt::IGraphicsDevice;
using Basalt::TextureRect;

// One object ten units in front of the camera, drawn through the device's
// scene-graph call.
class OneObjectScene : public Basalt::ISceneGraph {
 public:
  bool Initialize() override { return true; }
  void Render(Basalt::IBaseObject* start) override {
    ++renders;
    startWasNull = start == nullptr;
    object.Render(Basalt::mat4::Translation(0.0f, 0.0f, 10.0f));
  }
  Basalt::IBaseObject object;
  int renders = 0;
  bool startWasNull = false;
};

class GraphicsDeviceTest : public test::GraphicsFixture {
 protected:
  // Loads a 4 x 4 quad (centred on the view axis) as "quad.gmsh" and puts it in the scene.
  void LoadQuadScene() {
    test::WriteFlatShader();
    ASSERT_TRUE(ParseMaterials(test::kFlatMaterials));
    test::WriteFile("meshes/quad.gmsh",
                    test::GmshBuilder().Add(test::QuadSubset("NoMaterial", -2, -2, 2, 2, 0)).Bytes());
    ASSERT_TRUE(m_meshes.Initialize());
    m_scene.object.mesh = m_meshes.GetMesh("quad.gmsh");
    ASSERT_NE(m_scene.object.mesh, nullptr);
    TheCore().SetSceneGraph(&m_scene);
  }
  void TearDown() override {
    m_meshes.Shutdown();
    test::GraphicsFixture::TearDown();
  }

  Basalt::MeshManagerGL m_meshes;
  OneObjectScene m_scene;
};

TEST_F(GraphicsDeviceTest, AFrameIsTheClearColourWithTheSceneGraphsMeshInItsLitColour) {
  LoadQuadScene();
  m_scene.object.SetSubsetColor(0, 0.8f, 0.4f, 0.2f, 1.0f);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_EQ(m_scene.renders, 1);
  EXPECT_TRUE(m_scene.startWasNull);
  EXPECT_EQ(Device().ReadPixel(0, 0), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(kWidth - 1, kHeight - 1), kClearPixel);
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(kWidth / 2, kHeight / 2), 0xFF66331Au));
  Device().Present();
}

class NoShadersTest : public GraphicsDeviceTest {
 protected:
  void SetUp() override {
    Basalt::g_noShaders = true;  // read by the device as it starts
    GraphicsDeviceTest::SetUp();
  }
};

TEST_F(NoShadersTest, MeshesAreLitByTheBuiltInFixedFunctionLighting) {
  LoadQuadScene();
  m_scene.object.SetSubsetColor(0, 0.25f, 0.5f, 0.1f, 1.0f);
  ASSERT_TRUE(Device().RenderFrame());
  // Emissive 2c plus ambient 0x0A times 2c, saturated.
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(kWidth / 2, kHeight / 2), 0xFF84FF35u));
  EXPECT_EQ(Device().ReadPixel(0, 0), kClearPixel);
}

struct Quad {
  TextureRect rect;
  Basalt::vec3f position;
  unsigned colour;
  Basalt::ITexture* texture;
  float scaleX, scaleY;
};

void DrawQuads(void* context) {
  for (const Quad& quad : *static_cast<std::vector<Quad>*>(context))
    EXPECT_TRUE(Basalt::g_pGraphics->Draw2D(quad.rect, quad.position, quad.colour, quad.texture, quad.scaleX,
                                            quad.scaleY));
}

TEST_F(GraphicsDeviceTest, Draw2DPutsScaledTexturedQuadsAtThePixelsAsked) {
  auto* texture = static_cast<Basalt::TextureGL*>(Materials().NewTexture("pixels"));
  const unsigned pixels[4] = {0xFF20C040, 0xFF20C040, 0xFF20C040, 0xFF20C040};  // ARGB words
  ASSERT_TRUE(texture->SetData(pixels, 32, 2, 2));
  std::vector<Quad> quads = {
      {{0, 0, 2, 2}, {10, 20, 0.5f}, 0xFFFFFFFF, texture, 3.0f, 2.0f},  // 6 x 4 pixels
      {{0, 0, 4, 4}, {40, 5, 0.5f}, 0xFF0000FF, nullptr, 1.0f, 1.0f},   // plain blue
      {{0, 0, 1, 1}, {2, 2, 0.5f}, 0xFF808080, texture, 1.0f, 1.0f},    // modulated by grey
  };
  Device().SetOverlayPass(&DrawQuads, &quads);
  ASSERT_TRUE(Device().RenderFrame());
  for (unsigned x : {10u, 15u})
    for (unsigned y : {20u, 23u}) EXPECT_EQ(Device().ReadPixel(x, y), 0xFF20C040u) << x << "," << y;
  EXPECT_EQ(Device().ReadPixel(9, 20), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(16, 20), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(10, 19), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(10, 24), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(43, 8), 0xFF0000FFu);
  EXPECT_EQ(Device().ReadPixel(44, 8), kClearPixel);
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(2, 2), 0xFF106020u));
  EXPECT_FALSE(Device().Draw2D(quads[1].rect, quads[1].position, 0, nullptr, 1, 1));  // outside the 2D pass
}

int g_blendEnables = 0;
int g_arrayBinds = 0;
PFNGLENABLEPROC g_realEnable = nullptr;
PFNGLBINDVERTEXARRAYPROC g_realBindVertexArray = nullptr;

void CountingEnable(GLenum cap) {
  if (cap == GL_BLEND) ++g_blendEnables;
  g_realEnable(cap);
}
void CountingBindVertexArray(GLuint array) {
  ++g_arrayBinds;
  g_realBindVertexArray(array);
}

TEST_F(GraphicsDeviceTest, RepeatedStatesAndVertexTypesReachOpenGLOnce) {
  g_realEnable = epoxy_glEnable;
  g_realBindVertexArray = epoxy_glBindVertexArray;
  epoxy_glEnable = &CountingEnable;
  epoxy_glBindVertexArray = &CountingBindVertexArray;
  g_blendEnables = g_arrayBinds = 0;
  Device().SetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, 1, false);
  Device().SetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, 1, false);
  const int afterRepeat = g_blendEnables;
  Device().SetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, 1, true);
  Device().SetVertType(Basalt::VTYPE_P3T2_NBT);
  Device().SetVertType(Basalt::VTYPE_P3T2_NBT);
  Device().SetVertType(Basalt::VTYPE_P3T2_N);
  Device().SetVertType(static_cast<Basalt::VertexType>(9));
  epoxy_glEnable = g_realEnable;
  epoxy_glBindVertexArray = g_realBindVertexArray;
  EXPECT_EQ(afterRepeat, 1);
  EXPECT_EQ(g_blendEnables, 2);  // forced
  EXPECT_EQ(g_arrayBinds, 2);
  EXPECT_EQ(Device().GetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, false), 1u);

  glDisable(GL_BLEND);  // the device loses the state behind the cache's back
  EXPECT_EQ(Device().GetRenderState(IGraphicsDevice::RS_DEPTH_WRITE, true), 0u);
  Device().SetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, 1, false);
  Device().RestoreRenderStates();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Device().GetRenderState(IGraphicsDevice::RS_ALPHA_BLEND, true), 1u);
}

TEST_F(GraphicsDeviceTest, ReportsTheBackBufferAndTheWindowedModeItStartedIn) {
  EXPECT_EQ(Device().GetScreenWidth(), kWidth);
  EXPECT_EQ(Device().GetScreenHeight(), kHeight);
  EXPECT_FLOAT_EQ(Device().GetScreenRatio(), 64.0f / 48.0f);
  EXPECT_FALSE(Device().IsWideScreen());
  EXPECT_FALSE(Device().GetDisplayModes().empty());
  const std::string log = LogText();
  EXPECT_NE(log.find("\nEvaluating Adapter\n"), std::string::npos) << log;
  EXPECT_NE(log.find("- windowed mode ("), std::string::npos) << log;
}

class AnisotropicTest : public test::GraphicsFixture {
 protected:
  void SetUp() override {
    Basalt::g_textureFilterMode = 3;
    Basalt::g_anisoLevel = 1000;
    test::GraphicsFixture::SetUp();
  }
};

TEST_F(AnisotropicTest, TheAnisotropyLevelIsLoweredToTheDevicesMaximum) {
  GLfloat maximum = 0.0f;
  glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
  EXPECT_EQ(Basalt::g_anisoLevel, static_cast<int>(maximum));
  GLint sampler = 0, minFilter = 0;
  glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
  glGetSamplerParameteriv(static_cast<GLuint>(sampler), GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
  GLfloat anisotropy = 0.0f;
  glGetSamplerParameterfv(static_cast<GLuint>(sampler), GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
  EXPECT_EQ(anisotropy, maximum);
}

// Small text is a texture drawn scaled down. Its smaller mip levels average
// neighbouring glyphs together; here they are painted another colour, so a 2D
// pass that read them would show it.
TEST_F(AnisotropicTest, TheTwoDPassReadsTheFullSizeImageAndLeavesTheScenesSamplerBound) {
  auto* texture = static_cast<Basalt::TextureGL*>(Materials().NewTexture("glyphs"));
  const std::vector<unsigned> green(16 * 16, 0xFF20C040);
  ASSERT_TRUE(texture->SetData(green.data(), 32, 16, 16));
  const std::vector<unsigned> red(8 * 8, 0xFFFF0000);
  for (GLint level = 1, size = 8; size >= 1; ++level, size /= 2)
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, size, size, 0, GL_BGRA, GL_UNSIGNED_BYTE, red.data());
  GLint sceneSampler = 0;
  glGetIntegerv(GL_SAMPLER_BINDING, &sceneSampler);
  std::vector<Quad> quads = {{{0, 0, 16, 16}, {8, 8, 0.5f}, 0xFFFFFFFF, texture, 0.3f, 0.3f}};
  Device().SetOverlayPass(&DrawQuads, &quads);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(10, 10), 0xFF20C040u));
  GLint sampler = 0;
  glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
  EXPECT_EQ(sampler, sceneSampler);
  Device().Present();
}

// The reason goes into the start-up message (Core names it there).
TEST(GraphicsDeviceStartTest, WithoutAWindowItRefusesToStartAndSaysWhy) {
  Basalt::PlatformSDL unopened(nullptr);
  Basalt::GraphicsDeviceGL device(unopened);
  Basalt::GraphicsParams params = {600, 800, 32, 1, false};
  EXPECT_FALSE(device.Initialize(&params));
  EXPECT_STREQ(device.GetError(), "there is no window to draw into");
}

TEST(FindClosestDisplayModeTest, TakesTheNearestModeAndTheFirstOfEqualDistances) {
  using Modes = std::vector<Basalt::DisplayMode>;
  const Modes modes = {{1024, 768, 60, 0}, {800, 600, 60, 0}};
  EXPECT_EQ(Basalt::FindClosestDisplayMode(modes, 1000, 700), 0);  // 92 against 300
  EXPECT_EQ(Basalt::FindClosestDisplayMode(modes, 700, 500), 1);
  const Modes tied = {{800, 600, 60, 0}, {1000, 500, 60, 0}};
  EXPECT_EQ(Basalt::FindClosestDisplayMode(tied, 900, 550), 0);
  const Modes reversed = {tied[1], tied[0]};
  EXPECT_EQ(Basalt::FindClosestDisplayMode(reversed, 900, 550), 0);
  EXPECT_EQ(Basalt::FindClosestDisplayMode(Modes{}, 800, 600), -1);
  EXPECT_EQ(Basalt::FindClosestDisplayMode(Modes{{200000, 100, 0, 0}}, 800, 600), -1);  // beyond the search
}

}  // namespace
