#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "backline/scene/camera.h"
#include "backline/scene/drum_set.h"
#include "backline/scene/scene_graph.h"
#include "basalt/core/core.h"
#include "basalt/core/iapp.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/mesh_manager.h"
#include "tests/content/generate.h"
#include "tests/support/temp_dir.h"

namespace {

// Head centres of the snare and the floor tom in the generated one-kit mesh.
constexpr Basalt::vec3f kSnareHead = {-5.5f, 7.2f, 4.2f};
constexpr Basalt::vec3f kFloorTomHead = {5.4f, 6.8f, 5.0f};

struct Pixel {
  unsigned x, y;
};

// Where the device puts a point of the scene (world = identity).
Pixel Project(const Basalt::vec3f& p, Basalt::GraphicsDeviceGL* device) {
  const Basalt::mat4 m = device->GetViewMatrix() * device->GetProjectionMatrix();
  float clip[4];
  for (int col = 0; col < 4; ++col) clip[col] = p.x * m.m[0][col] + p.y * m.m[1][col] + p.z * m.m[2][col] + m.m[3][col];
  const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(device->GetScreenWidth());
  const float y = (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(device->GetScreenHeight());
  return {static_cast<unsigned>(x), static_cast<unsigned>(y)};
}

// Builds the scene the way the program does, lets the camera settle at the
// Free Play view and the GUI fade in, then draws a frame with the snare flashed.
class SceneApp : public Basalt::IApp {
 public:
  bool Initialize(Basalt::Core* core) override {
    if (!IApp::Initialize(core) || !m_graph.Initialize()) return false;
    core->SetSceneGraph(&m_graph);
    m_camera = m_graph.CreateObject<Camera>("camera", nullptr);
    m_camera->Initialize();
    m_camera->position = {0.0f, 8.0f, -32.0f};
    m_camera->MoveTo({0.0f, 8.0f, -32.0f}, 1.0f);
    m_graph.SetCamera(m_camera);
    drumSet = m_graph.CreateObject<DrumSet>("DrumSet", nullptr);
    twoKitMesh = drumSet->SetKitCount(2) && drumSet->mesh == Basalt::g_pMeshManager->GetMesh("drumset2.gmsh");
    oneKitMesh = drumSet->SetKitCount(1) && drumSet->mesh == Basalt::g_pMeshManager->GetMesh("drumset.gmsh");
    return true;
  }
  bool Update() override {
    if (++m_frames < 53) return true;  // past the GUI's 51-frame fade-in from black
    Basalt::GraphicsDeviceGL* device = Basalt::CurrentDeviceGL();
    const Basalt::mat4 cameraView = m_camera->ViewMatrix();
    viewFromCamera = std::memcmp(&device->GetViewMatrix(), &cameraView, sizeof cameraView) == 0;
    const Pixel snare = Project(kSnareHead, device), floorTom = Project(kFloorTomHead, device);
    resting = device->ReadPixel(snare.x, snare.y);
    floorTomBefore = device->ReadPixel(floorTom.x, floorTom.y);
    drumSet->FlashPadSlot(0);
    device->RenderFrame();
    flashed = device->ReadPixel(snare.x, snare.y);
    floorTomAfter = device->ReadPixel(floorTom.x, floorTom.y);
    return false;
  }
  bool Shutdown() override { return m_graph.Shutdown(); }

  DrumSet* drumSet = nullptr;
  bool oneKitMesh = false, twoKitMesh = false, viewFromCamera = false;
  unsigned resting = 0, flashed = 0, floorTomBefore = 0, floorTomAfter = 1;

 private:
  SceneGraph m_graph;
  Camera* m_camera = nullptr;
  int m_frames = 0;
};

unsigned Channel(unsigned argb, int shift) { return (argb >> shift) & 0xFF; }

using SceneRenderTest = test::TempDirTest;

TEST_F(SceneRenderTest, TheStruckPadShowsItsFlashColourOnScreen) {
  ASSERT_TRUE(test::GenerateContent("game"));
  std::filesystem::current_path("game");
  test::WriteFile("settings.cfg", "g_screenWidth = 320\ng_screenHeight = 240\n");
  SceneApp app;
  {
    Basalt::Core core;
    core.SetPlatformCallback([](void*) -> unsigned { return 0; });
    ASSERT_TRUE(core.Launch(&app));
  }
  EXPECT_TRUE(app.twoKitMesh);
  EXPECT_TRUE(app.oneKitMesh);
  EXPECT_TRUE(app.viewFromCamera);
  EXPECT_NE(app.resting, Basalt::GraphicsDeviceGL::kClearColor);  // the snare is in view
  const unsigned red = Channel(app.flashed, 16), green = Channel(app.flashed, 8), blue = Channel(app.flashed, 0);
  EXPECT_GT(red, 2 * green) << std::hex << app.resting << " -> " << app.flashed;
  EXPECT_GT(red, 2 * blue) << std::hex << app.resting << " -> " << app.flashed;
  EXPECT_GT(red, 0x80u);
  EXPECT_EQ(app.floorTomBefore, app.floorTomAfter);
}

}  // namespace
