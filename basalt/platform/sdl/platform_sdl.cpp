#include "basalt/platform/sdl/platform_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/log.h"

namespace Basalt {

namespace {

PlatformSDL::MessageBoxHandler g_messageBoxHandler = nullptr;

// OK answers Return and Cancel answers Escape, as on the system's own boxes.
void ShowSdlMessageBox(const char* caption, const char* text) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
  };
  SDL_MessageBoxData box = {};
  box.flags = SDL_MESSAGEBOX_INFORMATION;
  box.title = caption;
  box.message = text;
  box.numbuttons = SDL_arraysize(buttons);
  box.buttons = buttons;
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) std::fprintf(stderr, "%s: %s\n", caption, text);
}

// The requested client area, or the desktop's size when the request does
// not fit on the display (a window SDL could not open, or one the user could
// not see whole).
void FitToDesktop(unsigned* width, unsigned* height) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) return;
  const auto desktopWidth = static_cast<unsigned>(desktop.w), desktopHeight = static_cast<unsigned>(desktop.h);
  if (*width <= desktopWidth && *height <= desktopHeight) return;
  LogMessage(
      "The window size %ux%u (g_screenWidth, g_screenHeight) is larger than the display; using the "
      "desktop size %ux%u",
      *width, *height, desktopWidth, desktopHeight);
  *width = desktopWidth;
  *height = desktopHeight;
}

// The window's pixel format carries the sample count the graphics device's
// full-screen mode asks for (g_multisampling of 2 or more; 0 for none).
void RequestMultisampling(int samples) {
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

}  // namespace

void PlatformSDL::SetMessageBoxHandler(MessageBoxHandler handler) { g_messageBoxHandler = handler; }

void PlatformSDL::ShowMessage(const char* caption, const char* text) {
  if (g_messageBoxHandler)
    g_messageBoxHandler(caption, text);
  else
    ShowSdlMessageBox(caption, text);
}

PlatformSDL::PlatformSDL(PlatformCallback callback) : m_callback(callback) {}

PlatformSDL::~PlatformSDL() { Shutdown(); }

bool PlatformSDL::Initialize(void* params) {
  const PlatformParams* setup = static_cast<const PlatformParams*>(params);
  m_error.clear();
  if (!setup || !m_callback || m_callback(&m_setup) != 0) {
    m_error = "the program refused to open its window";
    return false;
  }
  m_setup.title[WindowSetup::kTitleCapacity - 1] = '\0';
  if (!CreateAppWindow(setup->fullScreen, setup->width, setup->height)) {
    m_error = std::string("no window could be opened: ") + SDL_GetError();
    LogMessage("Failed to create SDL window: %s", SDL_GetError());
    return false;
  }
  m_initialized = true;
  return true;
}

bool PlatformSDL::CreateAppWindow(bool fullScreen, unsigned width, unsigned height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  m_videoStarted = true;
  FitToDesktop(&width, &height);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  RequestMultisampling(g_fullScreen && g_multisampling >= 2 ? g_multisampling : 0);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
  if (fullScreen) flags |= SDL_WINDOW_BORDERLESS;
  auto open = [&] {
    return SDL_CreateWindow(m_setup.title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, static_cast<int>(width),
                            static_cast<int>(height), flags);
  };
  m_window = open();
  if (!m_window && g_fullScreen && g_multisampling >= 2) {
    RequestMultisampling(0);  // no multisampled visual: a plain one rather than none
    m_window = open();
  }
  if (m_window) {
    m_clientWidth = width;
    m_clientHeight = height;
    return true;
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  m_videoStarted = false;
  return false;
}

bool PlatformSDL::Update() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  return true;
}

bool PlatformSDL::InputWaiting() {
  SDL_PumpEvents();
  return SDL_HasEvents(SDL_QUIT, SDL_MOUSEWHEEL) == SDL_TRUE;
}

void PlatformSDL::AddEventObserver(IEventObserver* observer) {
  assert(observer);
  m_observers.push_back(observer);
}

void PlatformSDL::RemoveEventObserver(IEventObserver* observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void PlatformSDL::HandleEvent(const SDL_Event& event) {
  for (IEventObserver* observer : m_observers) observer->OnEvent(event);
  const bool closed =
      event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
  if (closed) m_closeRequested = true;
}

bool PlatformSDL::Shutdown() {
  if (!m_initialized) return false;
  SDL_DestroyWindow(m_window);
  m_window = nullptr;
  if (m_videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  m_videoStarted = false;
  m_initialized = false;
  return true;
}

bool PlatformSDL::MsgBox(const char* caption, const char* format, ...) {
  if (!caption || !format || std::strlen(format) > kMaxMsgBoxFormat) return false;
  char text[kMsgBoxTextCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  ShowMessage(caption, text);
  return true;
}

unsigned PlatformSDL::GetTick() { return SDL_GetTicks(); }

}  // namespace Basalt
