#pragma once
// The engine's view of the operating system: one application window, the
// message pump, message boxes and a millisecond clock. Main thread only.
#include "basalt/foundation/idevice.h"

namespace Basalt {

// Filled by the application's platform callback before the window opens.
struct WindowSetup {
  static constexpr unsigned kTitleCapacity = 64;
  char title[kTitleCapacity];
};

// Called with the address of a WindowSetup; a non-zero result refuses the start.
using PlatformCallback = unsigned (*)(void* setup);

// The parameter block of IPlatform::Initialize: the window's client area.
struct PlatformParams {
  bool fullScreen;
  unsigned width;
  unsigned height;
};

class IPlatform : public IDevice {
 public:
  // Shows a modal box with OK and Cancel and waits for it to be closed (the
  // button is ignored). Works without a window. False, showing nothing, when
  // the format is longer than 512 characters.
  virtual bool MsgBox(const char* caption, const char* format, ...) __attribute__((format(printf, 3, 4))) = 0;
  // Milliseconds since start-up, 32 bits, wrapping.
  virtual unsigned GetTick() = 0;
  // Gathers the system's events without handling them: whether a key, mouse
  // or window event waits for the next Update.
  virtual bool InputWaiting() = 0;
  // Whether the user closed the window (or the system asked the program to
  // quit) in an Update so far.
  virtual bool CloseRequested() const = 0;
};

extern IPlatform* g_pPlatform;

}  // namespace Basalt
