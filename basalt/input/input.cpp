// How input reaches a frame. The platform pumps SDL's events once per frame
// and hands each one to CInput::OnEvent before the core calls Update. Keys
// and mouse buttons are known only from those events: a down event marks the
// key held and latches a press; Update turns held-or-latched into the frame's
// state byte and forgets the latch. So a key tapped between two frames reads
// down in exactly one frame, and a held key reads down in every frame.
// Controllers are read from SDL's joystick state, which the same pump
// refreshed, and their down events only latch: a pad struck and released
// within one frame shows up as down once instead of being lost. A hat pushed
// and let go within one frame reads, once, the last direction it took.
//
// Controllers are identified once, at start-up, by their USB ids. One that is
// unplugged keeps its index and model and reads released; when a device with
// the same ids is plugged in again it is opened into the same index, so a kit
// whose cable came out plays on where it left off.
#include "basalt/input/input.h"

#include <SDL.h>

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <utility>

#include "basalt/core/log.h"
#include "basalt/input/key_codes.h"

namespace Basalt {
CInput* g_pInput = nullptr;
}  // namespace Basalt

namespace {

void LogLine(const char* line) {
  if (Basalt::g_pSystemLog) Basalt::g_pSystemLog->Send("%s", line);
}

uint32_t DeviceKey(int deviceIndex) {
  return Basalt::ControllerKey(SDL_JoystickGetDeviceVendor(deviceIndex), SDL_JoystickGetDeviceProduct(deviceIndex));
}

// The device is named by its product GUID as the system's HID layer shows
// it: the controller key in the first field, "PIDVID" in the last bytes. Built
// from SDL's ids, the line reads the same as on the kit's home platform.
void LogFoundDevice(const char* name, uint32_t key) {
  if (!Basalt::g_pSystemLog) return;
  Basalt::g_pSystemLog->Send("   Found joystick device: \"%s\" (%d-%d-%d-%d%d%d%d%d%d%d%d)", name,
                             static_cast<int32_t>(key), 0, 0, 0, 0, 'P', 'I', 'D', 'V', 'I', 'D');
}

int PovFromHat(Uint8 hat) {
  switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return CInput::kPovCentred;
  }
}

// SDL numbers mouse buttons left, middle, right, side; the state keeps left,
// right, middle, side. Buttons beyond those get an index out of range.
size_t MouseButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    default: return CInput::kMouseButtons;
  }
}

}  // namespace

CInput::~CInput() { Shutdown(); }

bool CInput::Init(Basalt::PlatformSDL* platform) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    SetError("Failed to start SDL joysticks: %s", SDL_GetError());
    return false;
  }
  m_joysticksStarted = true;
  m_platform = platform;
  if (m_platform) m_platform->AddEventObserver(this);
  return true;
}

void CInput::EnumJoysticks() {
  assert(m_joysticksStarted && "EnumJoysticks before Init");
  const int devices = SDL_NumJoysticks();
  for (int index = 0; index < devices; ++index) {
    const char* name = SDL_JoystickNameForIndex(index);
    if (!name) name = "";
    const uint32_t key = DeviceKey(index);
    LogFoundDevice(name, key);
    const Basalt::ControllerModel* model = Basalt::FindControllerModel(key);
    if (!model) {
      LogLine("    (Unrecognized)");
      continue;
    }
    LogLine(model->logText);
    if (m_numControllers == kMaxJoysticks) {
      LogLine("    (not used: four controllers are in use already)");
      continue;
    }
    Controller& controller = m_controllers[static_cast<size_t>(m_numControllers)];
    if (!OpenController(controller, index)) {
      if (Basalt::g_pSystemLog) Basalt::g_pSystemLog->Send("SDL_JoystickOpen failed (error: %s)", SDL_GetError());
      continue;
    }
    controller.model = model;
    std::snprintf(controller.name, sizeof controller.name, "%s", name);
    ++m_numControllers;
  }
}

bool CInput::InitDevices(bool readJoysticks, int devices) {
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
  return true;
}

bool CInput::Update() {
  if (m_keyboardInitialized) m_keys.Capture(m_keyboardState);
  if (m_mouseInitialized) {
    m_mouseState.x = std::exchange(m_mouseMotionX, 0);
    m_mouseState.y = std::exchange(m_mouseMotionY, 0);
    m_mouseState.z = std::exchange(m_mouseMotionZ, 0);
    m_mouseButtons.Capture(m_mouseState.buttons);
  }
  return !m_readJoysticks || UpdateControllers();
}

bool CInput::UpdateControllers() {
  const bool devicesAdded = std::exchange(m_devicesAdded, false);
  bool replugged = true;
  for (int joy = 0; joy < m_numControllers; ++joy) {
    Controller& controller = m_controllers[static_cast<size_t>(joy)];
    if (controller.device && !SDL_JoystickGetAttached(controller.device)) DropUnplugged(joy);
    if (!controller.device && devicesAdded) replugged = Replug(joy) && replugged;
    ReadController(controller);
  }
  return replugged;
}

void CInput::ReadController(Controller& controller) {
  if (!controller.device) {
    controller.buttons.fill(0);
    controller.pov.fill(kPovCentred);
    controller.pressed.Clear();
    controller.latchedPov.fill(kPovCentred);
    return;
  }
  for (int button = 0; button < controller.numButtons; ++button) {
    const bool held = SDL_JoystickGetButton(controller.device, button) != 0;
    controller.buttons[static_cast<size_t>(button)] = controller.pressed.Take(static_cast<size_t>(button), held);
  }
  for (size_t hat = 0; hat < static_cast<size_t>(controller.numHats); ++hat) {
    const int pov = PovFromHat(SDL_JoystickGetHat(controller.device, static_cast<int>(hat)));
    controller.pov[hat] = pov == kPovCentred ? controller.latchedPov[hat] : pov;
    controller.latchedPov[hat] = kPovCentred;
  }
}

void CInput::DropUnplugged(int joy) {
  Controller& controller = m_controllers[static_cast<size_t>(joy)];
  if (Basalt::g_pSystemLog)
    Basalt::g_pSystemLog->Send("   Controller %d unplugged: \"%s\" (reads released until it is back)", joy,
                               controller.name);
  CloseController(controller);
}

// Takes the first attached device with the controller's ids that is not one
// of ours already.
bool CInput::Replug(int joy) {
  Controller& controller = m_controllers[static_cast<size_t>(joy)];
  const int devices = SDL_NumJoysticks();
  for (int index = 0; index < devices; ++index) {
    if (DeviceKey(index) != controller.model->key || FindController(SDL_JoystickGetDeviceInstanceID(index)))
      continue;
    if (!OpenController(controller, index)) {
      SetError("Failed to reopen controller %d: %s", joy, SDL_GetError());
      return false;
    }
    if (Basalt::g_pSystemLog)
      Basalt::g_pSystemLog->Send("   Controller %d plugged in again: \"%s\"", joy, controller.name);
    return true;
  }
  return true;
}

bool CInput::OpenController(Controller& controller, int deviceIndex) {
  controller.device = SDL_JoystickOpen(deviceIndex);
  if (!controller.device) return false;
  controller.instanceId = SDL_JoystickInstanceID(controller.device);
  controller.numButtons = std::min(std::max(SDL_JoystickNumButtons(controller.device), 0), kJoyButtons);
  controller.numHats = std::min(std::max(SDL_JoystickNumHats(controller.device), 0), kJoyHats);
  return true;
}

void CInput::CloseController(Controller& controller) {
  if (controller.device) SDL_JoystickClose(controller.device);
  controller.device = nullptr;
  controller.instanceId = -1;
}

CInput::Controller* CInput::FindController(int32_t instanceId) {
  for (int joy = 0; joy < m_numControllers; ++joy) {
    Controller& controller = m_controllers[static_cast<size_t>(joy)];
    if (controller.device && controller.instanceId == instanceId) return &controller;
  }
  return nullptr;
}

void CInput::Shutdown() {
  if (m_platform) m_platform->RemoveEventObserver(this);
  m_platform = nullptr;
  for (Controller& controller : m_controllers) {
    CloseController(controller);
    controller = Controller();
  }
  m_numControllers = 0;
  if (m_joysticksStarted) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  m_joysticksStarted = false;
  m_keyboardInitialized = false;
  m_mouseInitialized = false;
}

void CInput::OnEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      OnKeyEvent(event.key);
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      OnMouseEvent(event);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYHATMOTION:
    case SDL_JOYDEVICEADDED:
      OnJoystickEvent(event);
      break;
    default:
      break;
  }
}

void CInput::OnKeyEvent(const SDL_KeyboardEvent& event) {
  const unsigned char key = Basalt::KeyCodeForScancode(event.keysym.scancode);
  if (key == 0) return;  // a key the keyboard state has no place for
  if (event.type == SDL_KEYDOWN)
    m_keys.Down(key);
  else
    m_keys.Up(key);
}

void CInput::OnMouseEvent(const SDL_Event& event) {
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

void CInput::OnJoystickEvent(const SDL_Event& event) {
  if (event.type == SDL_JOYDEVICEADDED) {
    m_devicesAdded = true;
  } else if (event.type == SDL_JOYBUTTONDOWN) {
    if (Controller* controller = FindController(event.jbutton.which)) controller->pressed.Press(event.jbutton.button);
  } else if (Controller* controller = FindController(event.jhat.which)) {
    const int pov = PovFromHat(event.jhat.value);
    if (event.jhat.hat < kJoyHats && pov != kPovCentred) controller->latchedPov[event.jhat.hat] = pov;
  }
}

bool CInput::GetKeyState(int key) const {
  return m_keyboardInitialized && key >= 0 && key < kKeys && (m_keyboardState[static_cast<size_t>(key)] & 0x80);
}

int CInput::GetMouseX() const { return m_mouseInitialized ? m_mouseState.x : -1; }
int CInput::GetMouseY() const { return m_mouseInitialized ? m_mouseState.y : -1; }
int CInput::GetMouseZ() const { return m_mouseInitialized ? m_mouseState.z : -1; }

bool CInput::GetMouseButtonState(int button) const {
  return m_mouseInitialized && button >= 0 && button < kMouseButtons &&
         (m_mouseState.buttons[static_cast<size_t>(button)] & 0x80);
}

float CInput::GetJoyButton(int joy, int button) const {
  if (!IsController(joy) || button < 0 || button >= kJoyButtons) return 0.0f;
  return m_controllers[static_cast<size_t>(joy)].buttons[static_cast<size_t>(button)] & 0x80 ? 1.0f : 0.0f;
}

int CInput::GetJoyPOV(int joy, int hat) const {
  if (!m_readJoysticks || !IsController(joy) || hat < 0 || hat >= kJoyHats) return kPovCentred;
  return m_controllers[static_cast<size_t>(joy)].pov[static_cast<size_t>(hat)];
}

bool CInput::IsJoy360(int joy) const {
  return IsController(joy) && m_controllers[static_cast<size_t>(joy)].model->is360;
}

bool CInput::IsJoyDrums(int joy) const {
  return IsController(joy) && m_controllers[static_cast<size_t>(joy)].model->isDrums;
}

uint32_t CInput::GetJoyType(int joy) const {
  return IsController(joy) ? m_controllers[static_cast<size_t>(joy)].model->key : 0;
}

int CInput::NumDrums() const {
  return static_cast<int>(std::count_if(m_controllers.begin(), m_controllers.begin() + m_numControllers,
                                        [](const Controller& c) { return c.model->countedAsDrumSet; }));
}

void CInput::SetError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(m_error, sizeof m_error, format, args);
  va_end(args);
}
