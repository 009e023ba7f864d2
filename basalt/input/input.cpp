// How input reaches a frame. Keys and mouse buttons are known only from the
// platform's events, pumped once per frame on the main thread and handed to
// Input::OnEvent before the core calls Update: a down event marks the key
// held and latches a press; Update turns held-or-latched into the frame's
// state byte and forgets the latch. So a key tapped between two frames reads
// down in exactly one frame, and a held key reads down in every frame. Each
// key going down or up is also stamped and forwarded to the input thread, so
// a listener sees keys and controllers in one stream.
//
// Controllers are read by the input thread, not by the frame: SDL's event
// pump no longer updates joysticks, the thread does, every half millisecond,
// and each button or hat change comes out as an event (ControllerPoller). The
// frame rebuilds each controller's state from the queued events
// (ControllerFrame), so a pad struck and released within one frame shows up
// as down once, and a release and new strike within one frame is a press of
// its own in the frame's presses.
//
// Controllers are identified by their USB ids, at start-up and whenever SDL
// says a device was plugged in (its event reaches the main thread's pump; the
// input thread's update is what notices the device). The main thread decides
// where each goes (ControllerPlaces), opens it and hands it to the input
// thread, which reads it from its next poll. One that is unplugged is closed
// by the input thread; its place keeps its model and reads released, and a
// device with the same ids plugged in later goes back into it, so a kit whose
// cable came out plays on where it left off. Every line is logged here.
#include "basalt/input/input.h"

#include <SDL.h>

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <utility>

#include "basalt/foundation/log.h"
#include "basalt/input/key_codes.h"

namespace Basalt {
Input* g_pInput = nullptr;
}  // namespace Basalt

namespace {

// The device is named by its product GUID as the system's HID layer shows
// it: the controller key in the first field, "PIDVID" in the last bytes. Built
// from SDL's ids, the line reads the same as on the kit's home platform.
void LogFoundDevice(const char* name, uint32_t key) {
  Basalt::LogMessage("   Found joystick device: \"%s\" (%d-%d-%d-%d%d%d%d%d%d%d%d)", name, static_cast<int32_t>(key), 0,
                     0, 0, 0, 'P', 'I', 'D', 'V', 'I', 'D');
}

// SDL's ids of the devices attached now, in SDL's order.
std::vector<int32_t> AttachedDevices() {
  std::vector<int32_t> ids;
  const int devices = SDL_NumJoysticks();
  for (int index = 0; index < devices; ++index) ids.push_back(SDL_JoystickGetDeviceInstanceID(index));
  return ids;
}

// SDL numbers mouse buttons left, middle, right, side; the state keeps left,
// right, middle, side. Buttons beyond those get an index out of range.
size_t MouseButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    case SDL_BUTTON_X1:
      return 3;
    default:
      return Input::kMouseButtons;
  }
}

}  // namespace

Input::~Input() { Shutdown(); }

bool Input::Initialize(Basalt::PlatformSDL* platform) {
  SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    SetError("Failed to start SDL joysticks: %s", SDL_GetError());
    SDL_ResetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS);
    return false;
  }
  m_joysticksStarted = true;
  m_platform = platform;
  if (m_platform) m_platform->AddEventObserver(this);
  return true;
}

void Input::EnumJoysticks() {
  assert(m_joysticksStarted && !m_thread.Running() && "EnumJoysticks after Initialize, before InitializeDevices");
  m_seenDevices = AttachedDevices();
  for (int index = 0; index < static_cast<int>(m_seenDevices.size()); ++index) {
    if (!PlaceDevice(index, false)) Basalt::LogMessage("SDL_JoystickOpen failed (error: %s)", SDL_GetError());
  }
}

bool Input::PlaceDevice(int index, bool pluggedInLater) {
  const char* name = SDL_JoystickNameForIndex(index);
  if (!name) name = "";
  const uint32_t key = Basalt::ControllerKey(SDL_JoystickGetDeviceVendor(index), SDL_JoystickGetDeviceProduct(index));
  LogFoundDevice(name, key);
  const Basalt::ControllerModel* model = Basalt::FindControllerModel(key);
  if (!model) {
    Basalt::LogMessage("    (Unrecognized)");
    return true;
  }
  Basalt::LogMessage("%s", model->logText);
  const int place = m_places.PlaceFor(*model);
  if (place < 0) {
    Basalt::LogMessage("    (not used: four controllers are in use already)");
    return true;
  }
  SDL_Joystick* device = SDL_JoystickOpen(index);
  if (!device) return false;
  const bool returning = m_places.LeftBy(place, *model);
  m_places.Take(place, *model, name, SDL_JoystickInstanceID(device));
  m_controllers.Hand(place, device, *model);
  ++m_controllerChanges;
  m_hadInput = true;
  if (pluggedInLater)
    Basalt::LogMessage(returning ? "   Controller %d plugged in again: \"%s\"" : "   Controller %d plugged in: \"%s\"",
                       place, name);
  return true;
}

// A device that went away is reported by the input thread; until it is, a
// new one waits, so that a kit plugged straight back finds its place free.
bool Input::PlaceNewDevices() {
  const std::vector<int32_t> attached = AttachedDevices();
  if (m_places.AnyMissingFrom(attached)) return true;
  m_devicesAdded = false;
  bool placed = true;
  for (int index = 0; index < static_cast<int>(attached.size()); ++index) {
    if (std::find(m_seenDevices.begin(), m_seenDevices.end(), attached[static_cast<size_t>(index)]) !=
        m_seenDevices.end())
      continue;
    if (!PlaceDevice(index, true)) {
      SetError("Failed to open the controller plugged in: %s", SDL_GetError());
      placed = false;
    }
  }
  m_seenDevices = attached;
  return placed;
}

bool Input::InitializeDevices(bool readJoysticks, int devices) {
  m_readJoysticks = readJoysticks && (devices & kJoystickDevices);
  // Keyboard and mouse exist only as the platform's events.
  if (devices & kKeyboardDevice) {
    m_keyboardInitialized = m_platform != nullptr;
    if (!m_keyboardInitialized) {
      SetError("Failed to init keyboard");
      return false;
    }
  }
  if (devices & kMouseDevice) {
    m_mouseInitialized = m_platform != nullptr;
    if (!m_mouseInitialized) SetError("Failed to init mouse");
  }
  if (m_keyboardInitialized || m_readJoysticks) m_thread.Start(m_readJoysticks ? &m_controllers : nullptr);
  return true;
}

bool Input::Update() {
  if (m_keyboardInitialized) m_keys.Capture(m_keyboardState);
  if (m_mouseInitialized) {
    m_mouseState.x = std::exchange(m_mouseMotionX, 0);
    m_mouseState.y = std::exchange(m_mouseMotionY, 0);
    m_mouseState.z = std::exchange(m_mouseMotionZ, 0);
    m_mouseButtons.Capture(m_mouseState.buttons);
  }
  m_hadInput = std::exchange(m_inputSinceUpdate, false);
  ReadControllerEvents();
  const bool placed = !m_devicesAdded || !m_readJoysticks || PlaceNewDevices();
  m_presses.Publish();
  LogDroppedEvents();
  LogThreadPriority();
  return placed;
}

void Input::ReadControllerEvents() {
  Basalt::InputEvent event;
  while (m_thread.PopEvent(&event)) ApplyControllerEvent(event);
  for (Basalt::ControllerFrame& frame : m_frames) frame.Capture();
}

void Input::ApplyControllerEvent(const Basalt::InputEvent& event) {
  if (event.joy < 0 || event.joy >= kMaxJoysticks) return;
  m_hadInput = true;
  Basalt::ControllerFrame& frame = m_frames[static_cast<size_t>(event.joy)];
  switch (event.type) {
    case Basalt::InputEvent::ControllerUnplugged:
      Basalt::LogMessage("   Controller %d unplugged: \"%s\" (reads released until it is back)", event.joy,
                         m_places.Name(event.joy));
      m_places.Leave(event.joy);
      ++m_controllerChanges;
      frame.Release();
      break;
    case Basalt::InputEvent::ButtonDown:
      m_presses.Add(event);
      frame.Apply(event);
      break;
    case Basalt::InputEvent::HatMoved:
      if (event.value != kHatCentred) m_presses.Add(event);
      frame.Apply(event);
      break;
    default:
      frame.Apply(event);
      break;
  }
}

// The queues fill only when a thread stalls for long: said once, not every frame.
void Input::LogDroppedEvents() {
  if (m_droppedLogged || m_thread.Dropped() == 0) return;
  m_droppedLogged = true;
  Basalt::LogMessage("Input: events were dropped because a queue was full (%llu so far)",
                     static_cast<unsigned long long>(m_thread.Dropped()));
}

// Said once, when the input thread has tried.
void Input::LogThreadPriority() {
  const int raised = m_thread.PriorityRaised();
  if (m_priorityLogged || raised == 0) return;
  m_priorityLogged = true;
  Basalt::LogMessage(raised > 0 ? "Input thread: high priority"
                                : "Input thread: normal priority (the system refused a higher one)");
}

void Input::Shutdown() {
  m_thread.Stop();
  m_controllers.Detach();
  m_controllers.CloseAll();
  m_places.Clear();
  m_seenDevices.clear();
  m_devicesAdded = false;
  m_frames.fill(Basalt::ControllerFrame());
  if (m_platform) m_platform->RemoveEventObserver(this);
  m_platform = nullptr;
  if (m_joysticksStarted) {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_ResetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS);
  }
  m_joysticksStarted = false;
  m_keyboardInitialized = false;
  m_mouseInitialized = false;
}

void Input::OnEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      m_inputSinceUpdate = true;
      OnKeyEvent(event.key);
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      m_inputSinceUpdate = true;
      OnMouseEvent(event);
      break;
    case SDL_JOYDEVICEADDED:
      m_devicesAdded = true;
      break;
    default:
      break;
  }
}

// A key repeat only keeps the key held: it is no new press.
void Input::OnKeyEvent(const SDL_KeyboardEvent& event) {
  const unsigned char key = Basalt::KeyCodeForScancode(event.keysym.scancode);
  if (key == 0) return;  // a key the keyboard state has no place for
  const bool down = event.type == SDL_KEYDOWN;
  if (down)
    m_keys.Down(key);
  else
    m_keys.Up(key);
  if (event.repeat || !m_keyboardInitialized) return;
  Basalt::InputEvent stamped;
  stamped.type = down ? Basalt::InputEvent::KeyDown : Basalt::InputEvent::KeyUp;
  stamped.code = key;
  stamped.time = Basalt::GetTimeNs();
  m_thread.ForwardKey(stamped);
  if (down) m_presses.Add(stamped);
}

void Input::OnMouseEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      m_mouseMotionX += event.motion.xrel;
      m_mouseMotionY += event.motion.yrel;
      break;
    case SDL_MOUSEWHEEL:
      m_mouseMotionZ += (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1) * event.wheel.y * kWheelStep;
      break;
    case SDL_MOUSEBUTTONDOWN:
      m_mouseButtons.Down(MouseButtonIndex(event.button.button));
      break;
    case SDL_MOUSEBUTTONUP:
      m_mouseButtons.Up(MouseButtonIndex(event.button.button));
      break;
    default:
      break;
  }
}

bool Input::GetKeyState(int key) const {
  return m_keyboardInitialized && key >= 0 && key < kKeys && (m_keyboardState[static_cast<size_t>(key)] & 0x80);
}

int Input::GetMouseX() const { return m_mouseInitialized ? m_mouseState.x : -1; }
int Input::GetMouseY() const { return m_mouseInitialized ? m_mouseState.y : -1; }
int Input::GetMouseZ() const { return m_mouseInitialized ? m_mouseState.z : -1; }

bool Input::GetMouseButtonState(int button) const {
  return m_mouseInitialized && button >= 0 && button < kMouseButtons &&
         (m_mouseState.buttons[static_cast<size_t>(button)] & 0x80);
}

float Input::GetJoyButton(int joy, int button) const {
  if (!IsController(joy) || button < 0 || button >= kJoyButtons) return 0.0f;
  return m_frames[static_cast<size_t>(joy)].Button(button) ? 1.0f : 0.0f;
}

int Input::GetJoyHat(int joy, int hat) const {
  if (!m_readJoysticks || !IsController(joy) || hat < 0 || hat >= kJoyHats) return kHatCentred;
  return m_frames[static_cast<size_t>(joy)].Pov(hat);
}

bool Input::IsJoy360(int joy) const { return IsController(joy) && m_places.Model(joy).is360; }

bool Input::IsJoyDrums(int joy) const { return IsController(joy) && m_places.Model(joy).isDrums; }

uint32_t Input::GetJoyType(int joy) const { return IsController(joy) ? m_places.Model(joy).key : 0; }

int Input::NumDrums() const {
  int drums = 0;
  for (int joy = 0; joy < m_places.Count(); ++joy)
    drums += m_places.PluggedIn(joy) && m_places.Model(joy).countedAsDrumSet;
  return drums;
}

void Input::SetError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(m_error, sizeof m_error, format, args);
  va_end(args);
}
