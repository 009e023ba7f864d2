#pragma once
// The engine object. Launch creates every engine service in a fixed order,
// publishes each as a global singleton (g_pFileSystem, g_pSystemLog,
// g_pCVarSystem, g_pPlatform, g_pGraphics, ...), runs the frame loop on the
// calling thread until the quit flag is set, then shuts the services down
// and sets every global back to null. The loop draws at most g_maxFps frames
// a second (with vsync where the display offers it), g_idleFps after a second
// without input while the application does not need the full rate, and
// sleeps in between.
#include "basalt/core/frame_clock.h"
#include "basalt/core/frame_pacer.h"
#include "basalt/foundation/idevice.h"
#include "basalt/platform/platform.h"

namespace Basalt {

class IApp;
class ISceneGraph;
class PlatformSDL;

class Core : public IDevice {
 public:
  // Publishes itself as g_pCore until destroyed. One core per process.
  Core();
  ~Core() override;
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;

  // Runs the engine's whole life with app (not owned, must outlive the call).
  // True after a normal end of the loop, false when start-up failed: every
  // failure of the engine's own start-up is a log line (once the log is open)
  // and a message box naming the file or device (on stderr when there is no
  // display), but for a missing platform callback, a programming mistake.
  bool Launch(IApp* app);
  // Must be called before Launch.
  void SetPlatformCallback(PlatformCallback callback) { m_platformCallback = callback; }
  // Ends the loop after the current frame.
  void ForceShutdown() { m_quit = true; }
  bool IsQuitting() const { return m_quit; }

  // Length of the last frame in seconds, 0 on the first, at most 0.1.
  float GetTimeKey() const { return m_clock.TimeKey(); }
  unsigned GetFPS() const { return m_clock.FramesPerSecond(); }
  IApp* GetApp() const { return m_app; }
  // The application's scene graph (not owned; null to stop using it). From
  // then on it gets one Update per frame here, and is drawn in the graphics
  // device's scene pass.
  void SetSceneGraph(ISceneGraph* sceneGraph);
  ISceneGraph* GetSceneGraph() const { return m_sceneGraph; }

  // Whether input reads the controllers through SDL's joysticks (default
  // true); set before Launch. No console variable.
  bool IsUsingSDLJoysticks() const { return m_useSDLJoysticks; }
  void SetUseSDLJoysticks(bool use) { m_useSDLJoysticks = use; }

 protected:
  bool Initialize(void* params) override;
  bool Update() override;
  // Shuts down the application and every service that exists, in reverse
  // order of creation; false when the core was never initialized. Also
  // releases what a failed Initialize left behind.
  bool Shutdown() override;
  bool InitializePlatform();
  bool InitializeGraphics();
  bool InitializeInput();

 private:
  void ReleaseInput();
  void ReleaseServices();
  // The graphics device's scene pass: the application's scene graph.
  static void DrawScene(void* core);

  PlatformCallback m_platformCallback = nullptr;
  // g_pPlatform as the SDL window it is, from InitializePlatform to shutdown: the
  // graphics device draws into it and input reads its events.
  PlatformSDL* m_window = nullptr;
  IApp* m_app = nullptr;
  ISceneGraph* m_sceneGraph = nullptr;
  bool m_quit = false;
  bool m_useSDLJoysticks = true;
  // After this long without input the loop draws at g_idleFps, unless the
  // application needs the full rate.
  static constexpr unsigned kIdleAfterMs = 1000;
  bool Idle() const;

  FrameClock m_clock;
  FramePacer m_pacer;
  unsigned m_lastInputTick = 0;  // the platform's tick of the last frame with input
};

extern Core* g_pCore;

}  // namespace Basalt
