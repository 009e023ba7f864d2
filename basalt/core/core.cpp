#include "basalt/core/core.h"

#include <cstdarg>
#include <cstdio>

#include "basalt/core/iapp.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/file_system_std.h"
#include "basalt/fs/write_check.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/gl/material_manager_gl.h"
#include "basalt/graphics/gl/mesh_manager_gl.h"
#include "basalt/graphics/material_file.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "basalt/scene/scene_graph.h"

namespace Basalt {

Core* g_pCore = nullptr;

namespace {

const char kLogFile[] = "systemlog.txt";
const char kSettingsFile[] = "settings.cfg";
const char kMaterialFile[] = "materials.txt";

template <typename T>
void Destroy(T*& service) {
  delete service;
  service = nullptr;
}

// A start-up failure: a log line (when the log is open) and a message box
// naming the cause, printed on stderr when there is no display to show it
// on; false, so Launch ends with a failure.
bool FailStart(const char* caption, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool FailStart(const char* caption, const char* format, ...) {
  char text[PlatformSDL::kMsgBoxTextCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  LogMessage("%s: %s", caption, text);
  PlatformSDL::ShowMessage(caption, text);
  return false;
}

// Ends an idle frame's wait: a key, the mouse, the window or a kit.
bool InputWaiting() { return g_pPlatform->InputWaiting() || (g_pInput && g_pInput->ControllerEventWaiting()); }

}  // namespace

Core::Core() { g_pCore = this; }

Core::~Core() {
  Shutdown();
  g_pCore = nullptr;
}

bool Core::Launch(IApp* app) {
  m_app = app;
  if (!Initialize(nullptr)) {
    Shutdown();
    return false;
  }
  if (!m_app->Initialize(this)) {
    Shutdown();
    return false;
  }
  m_lastInputTick = g_pPlatform->GetTick();  // the first second runs at the full rate
  while (!m_quit) {
    g_pGUI->Update();
    if (!Update() || !m_app->Update()) m_quit = true;
    const bool idle = Idle();
    m_pacer.Wait(FrameRateCap(g_maxFps, g_idleFps, idle), idle ? &InputWaiting : nullptr);
  }
  Shutdown();
  return true;
}

bool Core::Initialize(void*) {
  g_pFileSystem = new FileSystemStd();

  g_pSystemLog = new Log(kLogFile);
  if (!g_pSystemLog->Initialize(nullptr))
    return FailStart("Critical Error",
                     "Cannot write the system log %s: %s.\nPadlark needs a game folder it may write to.",
                     AbsolutePath(kLogFile).c_str(), WhyNotWritable(kLogFile).c_str());

  RegisterEngineSettings();
  g_pCVarSystem = new CVarSystem();
  g_pCVarSystem->Initialize(const_cast<char*>(kSettingsFile));

  LogMessage("Version: %s", m_app ? m_app->GetVersion() : "");

  if (!m_platformCallback) {
    LogMessage("Core::Initialize(): No platform callback registered! Cannot run");
    return false;
  }
  if (!InitializePlatform()) return FailStart("Critical Error", "InitPlatform() failed: %s", m_window->GetError());
  if (!InitializeGraphics()) return false;
  if (!g_disableInput && !InitializeInput())
    return FailStart("Critical Error", "InitInput() failed: %s", g_pInput->GetError());
  g_pGUI = new GUI();
  if (!g_pGUI->Initialize())
    return FailStart("Critical Error", "g_pGUI->Initialize( ) failed: the graphics device has no 2D pass");
  m_quit = false;
  m_initialized = true;
  return true;
}

bool Core::InitializePlatform() {
  m_window = new PlatformSDL(m_platformCallback);
  g_pPlatform = m_window;
  PlatformParams params = {false, static_cast<unsigned>(g_screenWidth), static_cast<unsigned>(g_screenHeight)};
  if (!g_pPlatform->Initialize(&params)) {
    LogMessage("Core::Initialize(): Platform failed to initialize!");
    return false;
  }
  // Every service after the window uses the size it got.
  g_screenWidth = static_cast<int>(m_window->GetClientWidth());
  g_screenHeight = static_cast<int>(m_window->GetClientHeight());
  LogMessage("Platform initialized");
  return true;
}

bool Core::InitializeGraphics() {
  LogMessage("Initializing Graphics Device...");
  auto* device = new GraphicsDeviceGL(*m_window);
  g_pGraphics = device;
  device->SetFramePass(IGraphicsDevice::kScenePass, &DrawScene, this);
  GraphicsParams params = {static_cast<unsigned>(g_screenHeight), static_cast<unsigned>(g_screenWidth), 32, 1,
                           g_fullScreen};
  if (!g_pGraphics->Initialize(&params)) {
    LogMessage("Core::Initialize(): GraphicsDevice failed to initialize!");
    return FailStart("Fatal Error", "Failed to initialize Graphics Device!\n%s", device->GetError());
  }
  LogMessage("Graphics Device initialized");

  g_pMaterialManager = new MaterialManagerGL();
  if (!g_pMaterialManager->Initialize(nullptr)) {
    LogMessage("Core::Initialize(): MaterialManager failed to initialize!");
    return FailStart("Fatal Error", "Failed to initialize MaterialManager Device!\n");
  }
  LogMessage("Graphics Device initialized");
  RAMFile materials;
  if (g_pFileSystem->LoadFileToRAM(kMaterialFile, &materials))
    ParseMaterialFile(materials.data, materials.size, kMaterialFile);

  g_pMeshManager = new MeshManagerGL();
  if (!g_pMeshManager->Initialize()) {
    LogMessage("Core::Initialize(): MeshManager failed to initialize!");
    return FailStart("Fatal Error", "Failed to initialize MeshManager!\n");
  }
  return true;
}

// A keyboard or mouse that cannot be had is logged and start-up goes on.
bool Core::InitializeInput() {
  g_pInput = new Input();
  LogMessage("[init input]");
  if (!g_pInput->Initialize(m_window)) {
    LogMessage("ERROR: %s", g_pInput->GetError());
    return false;
  }
  LogMessage("[enum joysticks]");
  g_pInput->EnumJoysticks();
  const int devices = Input::kKeyboardDevice | Input::kMouseDevice | (g_initGamePad ? Input::kJoystickDevices : 0);
  if (!g_pInput->InitializeDevices(m_useSDLJoysticks, devices)) LogMessage("InitDevices failed!");
  return true;
}

bool Core::Update() {
  g_pPlatform->Update();
  if (g_pPlatform->CloseRequested()) m_quit = true;
  m_clock.Tick(g_pPlatform->GetTick());
  if (m_quit) return true;
  g_pCVarSystem->Update();
  if (m_sceneGraph) m_sceneGraph->Update();
  if (g_pInput && !g_pInput->Update()) LogMessage("Input->Update() returned: %s", g_pInput->GetError());
  if (g_pInput && g_pInput->HadInput()) m_lastInputTick = g_pPlatform->GetTick();
  g_pGraphics->Update();
  return true;
}

void Core::SetSceneGraph(ISceneGraph* sceneGraph) {
  m_sceneGraph = sceneGraph;
  if (g_pGraphics) g_pGraphics->SetFramePass(IGraphicsDevice::kScenePass, &DrawScene, this);
}

void Core::DrawScene(void* core) {
  ISceneGraph* scene = static_cast<Core*>(core)->m_sceneGraph;
  if (scene) scene->Render(nullptr);
}

bool Core::Idle() const {
  return !m_app->NeedsFullFrameRate() && !g_pGUI->FadingIn() && g_pPlatform->GetTick() - m_lastInputTick > kIdleAfterMs;
}

bool Core::Shutdown() {
  const bool wasInitialized = m_initialized;
  if (wasInitialized && m_app) m_app->Shutdown();
  ReleaseInput();
  ReleaseServices();
  m_initialized = false;
  m_sceneGraph = nullptr;
  return wasInitialized;
}

// Input goes first: it watches the platform's events.
void Core::ReleaseInput() {
  if (g_pInput) g_pInput->Shutdown();
  Destroy(g_pInput);
}

// The GUI's font textures, meshes and materials hold objects of the graphics
// device's context, so they go first; the device goes before the window its
// context draws into; the log goes last but for the file system it writes
// through.
void Core::ReleaseServices() {
  if (g_pGUI) g_pGUI->Shutdown();
  Destroy(g_pGUI);
  if (g_pMeshManager) g_pMeshManager->Shutdown();
  if (g_pMaterialManager) g_pMaterialManager->Shutdown();
  if (g_pGraphics) g_pGraphics->Shutdown();
  if (g_pPlatform) g_pPlatform->Shutdown();
  if (g_pCVarSystem) g_pCVarSystem->Shutdown();
  if (g_pSystemLog) g_pSystemLog->Shutdown();
  Destroy(g_pMeshManager);
  Destroy(g_pMaterialManager);
  Destroy(g_pGraphics);
  Destroy(g_pPlatform);
  Destroy(g_pCVarSystem);
  Destroy(g_pSystemLog);
  Destroy(g_pFileSystem);
  m_window = nullptr;
}

}  // namespace Basalt
