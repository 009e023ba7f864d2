#pragma once
#include <vector>

#include "basalt/platform/platform.h"

struct SDL_Window;
union SDL_Event;

namespace Basalt {

// Sees every event the platform's pump takes, in order, on the main thread,
// during PlatformSDL::Update and before the platform acts on it. Services that
// must not miss what happened between two frames (a pad struck and released
// within one frame) watch the events instead of pumping a second time.
class IEventObserver {
 public:
  virtual void OnEvent(const SDL_Event& event) = 0;

 protected:
  ~IEventObserver() = default;
};

// IPlatform on SDL2: an OpenGL-capable window whose client area is the
// requested size, SDL's event pump and message boxes, and SDL_GetTicks.
// Closing the window sets the core's quit flag.
class PlatformSDL : public IPlatform {
 public:
  static constexpr unsigned kMaxMsgBoxFormat = 512;
  static constexpr unsigned kMsgBoxTextCapacity = 1048;

  // Shows a message box instead of SDL, for runs that nobody watches (tests).
  // Called on the main thread with the caption and the formatted text.
  using MessageBoxHandler = void (*)(const char* caption, const char* text);
  // Process-wide; null restores SDL's message box.
  static void SetMessageBoxHandler(MessageBoxHandler handler);

  explicit PlatformSDL(PlatformCallback callback);
  ~PlatformSDL() override;

  // params: PlatformParams*. Asks the callback for the title, then opens the window.
  bool Initialize(void* params) override;
  // Pumps every waiting event; always true (quitting goes through the core's quit flag).
  bool Update() override;
  // Gathers the system's events without handling them: whether a key, mouse
  // or window event waits for the next Update.
  bool InputWaiting();
  bool Shutdown() override;
  bool MsgBox(const char* caption, const char* format, ...) override __attribute__((format(printf, 3, 4)));
  unsigned GetTick() override;

  // The observer (not owned) sees every event from the next Update on, until
  // it is removed; it must be removed before it is destroyed. Works with or
  // without a window.
  void AddEventObserver(IEventObserver* observer);
  void RemoveEventObserver(IEventObserver* observer);

  // The window, valid from Initialize to Shutdown.
  SDL_Window* GetWindow() const { return m_window; }
  const WindowSetup& GetSetup() const { return m_setup; }

 private:
  bool CreateAppWindow(bool fullScreen, unsigned width, unsigned height);
  void HandleEvent(const SDL_Event& event);

  PlatformCallback m_callback;
  WindowSetup m_setup = {};
  SDL_Window* m_window = nullptr;
  bool m_videoStarted = false;
  std::vector<IEventObserver*> m_observers;
};

extern PlatformSDL* g_pPlatformSDL;

}  // namespace Basalt
