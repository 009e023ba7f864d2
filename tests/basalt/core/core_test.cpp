#include "basalt/core/core.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "basalt/core/iapp.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/gl/material_manager_gl.h"
#include "basalt/graphics/mesh_manager.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "basalt/scene/scene_graph.h"
#include "tests/support/temp_dir.h"
#include "tests/support/virtual_kit.h"

namespace {

std::vector<std::string> g_boxes;

void RecordBox(const char* caption, const char* text) { g_boxes.push_back(std::string(caption) + "|" + text); }

unsigned NameWindow(void* setup) {
  std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "Padlark");
  return 0;
}

// Counts the core's and the device's calls.
class CountingScene : public Basalt::ISceneGraph {
 public:
  bool Initialize() override { return true; }
  bool Update() override {
    ++updates;
    return true;
  }
  void Render(Basalt::IBaseObject*) override { ++renders; }
  int updates = 0;
  int renders = 0;
};

// Runs a given number of frames, or until the core quits, recording what it saw.
class FramesApp : public Basalt::IApp {
 public:
  explicit FramesApp(int frames) : m_frames(frames) { SetVersion("version test"); }

  bool Initialize(Basalt::Core* core) override {
    servicesAtInit = Basalt::g_pFileSystem && Basalt::g_pSystemLog && Basalt::g_pCVarSystem && Basalt::g_pPlatform &&
                     Basalt::g_pGraphics && Basalt::g_pMaterialManager && Basalt::g_pMeshManager && Basalt::g_pGUI;
    core->SetSceneGraph(&scene);
    inputAtInit = Basalt::g_pInput != nullptr;
    SDL_GetWindowSize(static_cast<Basalt::PlatformSDL*>(Basalt::g_pPlatform)->GetWindow(), &windowWidth, &windowHeight);
    return IApp::Initialize(core) && initResult;
  }
  bool Update() override {
    timeKeys.push_back(GetCore()->GetTimeKey());
    if (Basalt::g_pInput) firstPadButton.push_back(Basalt::g_pInput->GetJoyButton(0, 0));
    if (afterFrame) afterFrame(static_cast<int>(timeKeys.size()));
    if (pushQuitOnFrame == static_cast<int>(timeKeys.size())) {
      SDL_Event quit = {};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
    return static_cast<int>(timeKeys.size()) < m_frames;
  }
  bool Shutdown() override {
    servicesAtShutdown = Basalt::g_pSystemLog && Basalt::g_pPlatform && Basalt::g_pGraphics;
    ++shutdowns;
    return true;
  }

  bool initResult = true;
  int pushQuitOnFrame = 0;
  bool servicesAtInit = false;
  bool inputAtInit = false;
  std::function<void(int frame)> afterFrame;
  std::vector<float> firstPadButton;
  bool servicesAtShutdown = false;
  int shutdowns = 0;
  int windowWidth = 0, windowHeight = 0;
  std::vector<float> timeKeys;
  CountingScene scene;

 private:
  int m_frames;
};

class CoreTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    g_boxes.clear();
    Basalt::PlatformSDL::SetMessageBoxHandler(&RecordBox);
  }
  void TearDown() override {
    Basalt::PlatformSDL::SetMessageBoxHandler(nullptr);
    Basalt::g_screenWidth = 800;
    Basalt::g_screenHeight = 600;
    Basalt::g_disableInput = false;
    TempDirTest::TearDown();
  }
  // Runs app under a core of its own that names the window; Launch's result.
  static bool LaunchNamed(FramesApp* app) {
    Basalt::Core core;
    core.SetPlatformCallback(&NameWindow);
    return core.Launch(app);
  }
  static void ExpectNoServices() {
    EXPECT_EQ(Basalt::g_pFileSystem, nullptr);
    EXPECT_EQ(Basalt::g_pSystemLog, nullptr);
    EXPECT_EQ(Basalt::g_pCVarSystem, nullptr);
    EXPECT_EQ(Basalt::g_pPlatform, nullptr);
    EXPECT_EQ(Basalt::g_pGraphics, nullptr);
    EXPECT_EQ(Basalt::CurrentDeviceGL(), nullptr);
    EXPECT_EQ(Basalt::g_pMaterialManager, nullptr);
    EXPECT_EQ(Basalt::g_pMeshManager, nullptr);
    EXPECT_EQ(Basalt::g_pInput, nullptr);
    EXPECT_EQ(Basalt::g_pGUI, nullptr);
  }
};

TEST_F(CoreTest, StartsServicesInOrderRunsFramesAndTearsEverythingDown) {
  test::WriteFile("settings.cfg", "g_screenWidth = 320\ng_screenHeight = 200\n");
  std::filesystem::create_directory("fonts");
  test::WriteFile("fonts/broken.tga", "no font");
  FramesApp app(3);
  {
    Basalt::Core core;
    EXPECT_EQ(Basalt::g_pCore, &core);
    core.SetPlatformCallback(&NameWindow);
    EXPECT_TRUE(core.Launch(&app));
    ExpectNoServices();
  }
  EXPECT_EQ(Basalt::g_pCore, nullptr);
  EXPECT_TRUE(app.servicesAtInit);
  EXPECT_TRUE(app.inputAtInit);
  EXPECT_TRUE(app.servicesAtShutdown);
  EXPECT_EQ(app.shutdowns, 1);
  EXPECT_EQ(app.scene.updates, 3);
  EXPECT_EQ(app.scene.renders, 3);
  EXPECT_EQ(app.windowWidth, 320);  // settings were read before the window opened
  EXPECT_EQ(app.windowHeight, 200);
  ASSERT_EQ(app.timeKeys.size(), 3u);
  EXPECT_EQ(app.timeKeys[0], 0.0f);
  for (float key : app.timeKeys) EXPECT_LE(key, 0.1f);

  const std::string log = test::ReadFile("systemlog.txt");
  std::vector<std::string> expectedOrder = {"-- System Log Opened --\n\nVersion: version test\n",
                                            "Platform initialized\n",
                                            "Initializing Graphics Device...\n",
                                            "OpenGL ",
                                            "\nEvaluating Adapter\n",
                                            "- windowed mode (320x200)\n",
                                            "Graphics Device initialized\nLast message repeated 1 time\n",
                                            "'materials.txt'",
                                            "[init input]\n",
                                            "[enum joysticks]\n",
                                            "Failed to load font: broken.tga\n",
                                            "\n-- System Log Closed --\n"};
  size_t at = 0;
  for (const std::string& line : expectedOrder) {
    const size_t found = log.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing in order: " << line << "\nlog:\n" << log;
    at = found + line.size();
  }
  EXPECT_EQ(at, log.size());
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(CoreTest, WithInputDisabledThereIsNoInput) {
  test::WriteFile("settings.cfg", "g_disableInput = 1\n");
  FramesApp app(2);
  Basalt::Core core;
  core.SetPlatformCallback(&NameWindow);
  EXPECT_TRUE(core.Launch(&app));
  EXPECT_TRUE(app.servicesAtInit);
  EXPECT_FALSE(app.inputAtInit);
  EXPECT_EQ(app.timeKeys.size(), 2u);
  EXPECT_EQ(test::ReadFile("systemlog.txt").find("[init input]"), std::string::npos);
}

// The core captures input after pumping the frame's events, so a pad struck
// and released between two frames reaches the application in the next one.
TEST_F(CoreTest, APadStruckBetweenFramesReachesTheApplicationOnce) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  SDL_Joystick* pads = test::AttachVirtualKit();
  ASSERT_NE(pads, nullptr);
  FramesApp app(3);
  app.afterFrame = [pads](int frame) {
    if (frame != 1) return;
    for (bool down : {true, false}) {
      SDL_JoystickSetVirtualButton(pads, 0, down ? SDL_PRESSED : SDL_RELEASED);
      Basalt::g_pInput->WaitForPolls(2);
    }
  };
  {
    Basalt::Core core;
    core.SetPlatformCallback(&NameWindow);
    EXPECT_TRUE(core.Launch(&app));
  }
  SDL_JoystickClose(pads);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  EXPECT_EQ(app.firstPadButton, (std::vector<float>{0.0f, 1.0f, 0.0f}));
  EXPECT_NE(test::ReadFile("systemlog.txt").find("    (360 drumset A)\n"), std::string::npos);
}

TEST_F(CoreTest, ClosingTheWindowEndsTheLoopAfterOneMoreApplicationUpdate) {
  FramesApp app(1000);
  app.pushQuitOnFrame = 2;
  Basalt::Core core;
  core.SetPlatformCallback(&NameWindow);
  EXPECT_TRUE(core.Launch(&app));
  EXPECT_EQ(app.timeKeys.size(), 3u);
  EXPECT_TRUE(core.IsQuitting());
}

TEST_F(CoreTest, WithoutAPlatformCallbackStartUpFailsWithoutAMessageBox) {
  FramesApp app(1);
  Basalt::Core core;
  EXPECT_FALSE(core.Launch(&app));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(app.shutdowns, 0);
  EXPECT_TRUE(app.timeKeys.empty());
  ExpectNoServices();
  EXPECT_NE(test::ReadFile("systemlog.txt").find("Core::Initialize(): No platform callback registered! Cannot run\n"),
            std::string::npos);
}

TEST_F(CoreTest, ARefusedWindowIsACriticalError) {
  FramesApp app(1);
  Basalt::Core core;
  core.SetPlatformCallback([](void*) -> unsigned { return 1; });
  EXPECT_FALSE(core.Launch(&app));
  EXPECT_EQ(g_boxes,
            (std::vector<std::string>{"Critical Error|InitPlatform() failed: the program refused to open its window"}));
  EXPECT_NE(test::ReadFile("systemlog.txt").find("Core::Initialize(): Platform failed to initialize!\n"),
            std::string::npos);
  ExpectNoServices();
}

TEST_F(CoreTest, AnApplicationThatRefusesToStartIsShutDown) {
  FramesApp app(1);
  app.initResult = false;
  Basalt::Core core;
  core.SetPlatformCallback(&NameWindow);
  EXPECT_FALSE(core.Launch(&app));
  EXPECT_TRUE(app.timeKeys.empty());
  EXPECT_EQ(app.shutdowns, 1);
  ExpectNoServices();
}

TEST_F(CoreTest, ALogThatCannotBeWrittenEndsStartUpWithAMessageNamingIt) {
  std::filesystem::create_directory("systemlog.txt");
  FramesApp app(1);
  EXPECT_FALSE(LaunchNamed(&app));
  const std::string path = (std::filesystem::current_path() / "systemlog.txt").string();
  EXPECT_EQ(g_boxes, (std::vector<std::string>{"Critical Error|Cannot write the system log " + path +
                                               ": it is a folder.\nPadlark needs a game folder it may write to."}));
  ExpectNoServices();
}

TEST_F(CoreTest, AWindowLargerThanTheDisplayOpensAtTheDesktopSize) {
  test::WriteFile("settings.cfg", "g_screenWidth = 20000\ng_screenHeight = 300\n");
  FramesApp app(1);
  ASSERT_TRUE(LaunchNamed(&app));
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  EXPECT_EQ(app.windowWidth, desktop.w);
  EXPECT_EQ(app.windowHeight, desktop.h);
  EXPECT_EQ(Basalt::g_screenWidth, desktop.w);  // the size every service after the window uses
  const std::string log = test::ReadFile("systemlog.txt");
  const std::string fallback =
      "The window size 20000x300 (g_screenWidth, g_screenHeight) is larger than the display; "
      "using the desktop size " +
      std::to_string(desktop.w) + "x" + std::to_string(desktop.h) + "\n";
  EXPECT_NE(log.find(fallback), std::string::npos) << log;
  EXPECT_NE(log.find("- windowed mode (" + std::to_string(desktop.w) + "x"), std::string::npos) << log;
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(CoreTest, AZeroOrNegativeWindowSizeIsRefusedForTheDefault) {
  test::WriteFile("settings.cfg", "g_screenWidth = 0\ng_screenHeight = -600\n");
  FramesApp app(1);
  ASSERT_TRUE(LaunchNamed(&app));
  EXPECT_EQ(app.windowWidth, 800);
  EXPECT_EQ(app.windowHeight, 600);
  const std::string log = test::ReadFile("systemlog.txt");
  for (const char* line : {"(settings.cfg : 1) g_screenWidth = 0 refused: it must be at least 1; keeping 800\n",
                           "(settings.cfg : 2) g_screenHeight = -600 refused: it must be at least 1; keeping 600\n"})
    EXPECT_NE(log.find(line), std::string::npos) << log;
}

}  // namespace
