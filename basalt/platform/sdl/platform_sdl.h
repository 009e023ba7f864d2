#pragma once
#include <string>
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
// requested size (the desktop's size when the request is larger than the
// display), SDL's event pump and message boxes, and SDL_GetTicks. Closing the
// window sets the core's quit flag.
class PlatformSDL : public IPlatform {
 public:
  static constexpr unsigned kMaxMsgBoxFormat = 512;
  static constexpr unsigned kMsgBoxTextCapacity = 1048;

  // Shows a message box instead of SDL, for runs that nobody watches (tests).
  // Called on the main thread with the caption and the formatted text.
  using MessageBoxHandler = void (*)(const char* caption, const char* text);
  // Process-wide; null restores SDL's message box.
  static void SetMessageBoxHandler(MessageBoxHandler handler);
  // Shows caption and text through the handler, else in SDL's box, else
  // (no display to show a box on) as a line on stderr. Needs no platform
  // object and no window: start-up failures before the window opens use it.
  // Main thread; blocks until the box is closed.
  static void ShowMessage(const char* caption, const char* text);

  explicit PlatformSDL(PlatformCallback callback);
  ~PlatformSDL() override;

  // params: PlatformParams*. Asks the callback for the title, then opens the
  // window; false, with GetError saying why, when it cannot.
  bool Initialize(void* params) override;
  // Pumps every waiting event; always true (a closed window shows in CloseRequested).
  bool Update() override;
  bool InputWaiting() override;
  bool CloseRequested() const override { return m_closeRequested; }
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
  // The window's client area as opened.
  unsigned GetClientWidth() const { return m_clientWidth; }
  unsigned GetClientHeight() const { return m_clientHeight; }
  // Why the last Initialize failed ("" after a success).
  const char* GetError() const { return m_error.c_str(); }
  const WindowSetup& GetSetup() const { return m_setup; }

 private:
  bool CreateAppWindow(bool fullScreen, unsigned width, unsigned height);
  void HandleEvent(const SDL_Event& event);

  PlatformCallback m_callback;
  WindowSetup m_setup = {};
  SDL_Window* m_window = nullptr;
  unsigned m_clientWidth = 0;
  unsigned m_clientHeight = 0;
  std::string m_error;
  bool m_videoStarted = false;
  bool m_closeRequested = false;
  std::vector<IEventObserver*> m_observers;
};

}  // namespace Basalt
