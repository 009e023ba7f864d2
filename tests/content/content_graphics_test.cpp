#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "basalt/core/core.h"
#include "basalt/core/iapp.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/mesh_manager.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "basalt/scene/base_object.h"
#include "basalt/scene/scene_graph.h"
#include "tests/content/generate.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> g_boxes;

// The two-kit drum set seen from the program's start-up camera.
class KitScene : public Basalt::ISceneGraph {
 public:
  bool Initialize() override { return true; }
  void Render(Basalt::IBaseObject*) override {
    Basalt::g_pGraphics->SetViewMatrix(Basalt::mat4::Translation(0.0f, -3.0f, 100.0f));
    kit.Render(Basalt::mat4::Identity());
  }
  Basalt::IBaseObject kit;
};

// Checks the meshes, draws one frame of the kit and counts what it covers.
class KitApp : public Basalt::IApp {
 public:
  bool Initialize(Basalt::Core* core) override {
    for (const char* name : {"drumset.gmsh", "drumset2.gmsh", "button.gmsh", "bassbar.gmsh"})
      if (Basalt::g_pMeshManager->GetMesh(name)) ++meshes;
    m_scene.kit.mesh = Basalt::g_pMeshManager->GetMesh("drumset2.gmsh");
    core->SetSceneGraph(&m_scene);
    return IApp::Initialize(core) && m_scene.kit.mesh;
  }
  bool Update() override {
    Basalt::GraphicsDeviceGL* device = Basalt::CurrentDeviceGL();
    device->RenderFrame();
    for (unsigned y = 0; y < device->GetScreenHeight(); y += 2)
      for (unsigned x = 0; x < device->GetScreenWidth(); x += 2)
        if (device->ReadPixel(x, y) != Basalt::GraphicsDeviceGL::kClearColor) ++drawn;
    return false;
  }
  int meshes = 0;
  unsigned drawn = 0;

 private:
  KitScene m_scene;
};

class ContentGraphicsTest : public test::TempDirTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    g_boxes.clear();
    Basalt::PlatformSDL::SetMessageBoxHandler([](const char* caption, const char* text) {
      g_boxes.push_back(std::string(caption) + "|" + text);
    });
  }
  void TearDown() override {
    Basalt::PlatformSDL::SetMessageBoxHandler(nullptr);
    Basalt::g_noShaders = false;
    TempDirTest::TearDown();
  }
};

TEST_P(ContentGraphicsTest, TheGeneratedDrumSetLoadsWithoutComplaintAndIsDrawn) {
  ASSERT_TRUE(test::GenerateContent("game"));
  std::filesystem::current_path("game");
  test::WriteFile("settings.cfg", GetParam() ? "g_noShaders = 1\n" : "");
  KitApp app;
  {
    Basalt::Core core;
    core.SetPlatformCallback([](void* setup) -> unsigned {
      std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "Padlark");
      return 0;
    });
    ASSERT_TRUE(core.Launch(&app));
  }
  EXPECT_EQ(app.meshes, 4);
  EXPECT_GT(app.drawn, 500u);  // of 120 000 sampled pixels
  EXPECT_TRUE(g_boxes.empty());
  const std::string log = test::ReadFile("systemlog.txt");
  for (const char* complaint : {"Failed", "error", "not found"})
    EXPECT_EQ(log.find(complaint), std::string::npos) << complaint << " in\n" << log;
}

INSTANTIATE_TEST_SUITE_P(ShadersAndBuiltInLighting, ContentGraphicsTest, ::testing::Bool());

}  // namespace
