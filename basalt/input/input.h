#pragma once
// CInput: the keyboard, the mouse and up to four game controllers, captured
// once per frame so that every query of a frame sees the same state. The core
// creates one (Core::InitInput), updates it after pumping the platform's
// events and shuts it down first; the program only queries it. Main thread
// only; nothing blocks.
#include <array>
#include <cstdint>

#include "basalt/input/controller_models.h"
#include "basalt/input/press_latch.h"
#include "basalt/platform/platform_sdl.h"

typedef struct _SDL_Joystick SDL_Joystick;
struct SDL_KeyboardEvent;

class CInput final : public Basalt::IEventObserver {
 public:
  static constexpr int kMaxJoysticks = 4;
  static constexpr int kJoyButtons = 128;
  static constexpr int kJoyHats = 4;
  static constexpr int kKeys = 256;
  static constexpr int kMouseButtons = 4;  // left, right, middle, first side button
  static constexpr int kWheelStep = 120;   // GetMouseZ per notch of the wheel
  static constexpr int kPovCentred = -1;
  static constexpr unsigned kErrorCapacity = 128;
  static constexpr unsigned kNameCapacity = 260;

  // The devices of InitDevices.
  static constexpr int kKeyboardDevice = 1;
  static constexpr int kMouseDevice = 2;
  static constexpr int kJoystickDevices = 4;

  CInput() = default;
  ~CInput();
  CInput(const CInput&) = delete;
  CInput& operator=(const CInput&) = delete;

  // Starts SDL's joysticks and watches the platform's event pump (platform is
  // not owned and must outlive Shutdown; null leaves keyboard and mouse out).
  // False, with the error text set, when SDL refuses.
  bool Init(Basalt::PlatformSDL* platform);
  // Logs every attached controller and opens the recognised ones, up to
  // four, as controllers 0..3 in SDL's order. Once, after Init.
  void EnumJoysticks();
  // devices: kKeyboardDevice | kMouseDevice | kJoystickDevices. Controllers
  // are read only when readJoysticks is set and kJoystickDevices is given;
  // otherwise they stay released. False, with the error text set, when a
  // requested keyboard cannot be had; a missing mouse only sets the error.
  bool InitDevices(bool readJoysticks, int devices);
  // Captures this frame's state. A controller unplugged since the last frame
  // reads released from now on; one of the same model plugged in again takes
  // its place. False, with the error text set, when such a returning
  // controller cannot be opened.
  bool Update();
  // Closes the controllers and SDL's joysticks and stops watching the events.
  // The destructor calls it; a second call does nothing.
  void Shutdown();

  bool KeyboardInitialized() const { return m_keyboardInitialized; }
  bool MouseInitialized() const { return m_mouseInitialized; }
  // True for controller indices below GetNumJoys, plugged in or not.
  bool JoystickInitialized(int joy) const { return IsController(joy); }

  // key: a DirectInput key code (basalt/input/key_codes.h). False without a keyboard.
  bool GetKeyState(int key) const;
  // Movement since the last frame; -1 without a mouse.
  int GetMouseX() const;
  int GetMouseY() const;
  int GetMouseZ() const;
  bool GetMouseButtonState(int button) const;

  // 1.0 while the button is down (or was struck since the last frame), else 0.0.
  float GetJoyButton(int joy, int button) const;
  // Hundredths of a degree clockwise from up (0, 4500, ... 31500); -1 when
  // the hat is centred, absent or not read.
  int GetJoyPOV(int joy, int hat) const;
  bool IsJoy360(int joy) const;
  bool IsJoyDrums(int joy) const;
  // The controller's key (product id << 16 | vendor id), 0 for no controller.
  uint32_t GetJoyType(int joy) const;
  int GetNumJoys() const { return m_numControllers; }
  // The controllers counted as drum sets (Basalt::ControllerModel).
  int NumDrums() const;
  const char* GetError() const { return m_error; }

  void OnEvent(const SDL_Event& event) override;

 private:
  struct Controller {
    const Basalt::ControllerModel* model = nullptr;
    char name[kNameCapacity] = {};
    SDL_Joystick* device = nullptr;  // null while unplugged
    int32_t instanceId = -1;         // SDL's id of the open device
    int numButtons = 0;
    int numHats = 0;
    std::array<unsigned char, kJoyButtons> buttons = {};
    std::array<int, kJoyHats> pov = {kPovCentred, kPovCentred, kPovCentred, kPovCentred};
    Basalt::PressLatch<kJoyButtons> pressed;
    std::array<int, kJoyHats> latchedPov = {kPovCentred, kPovCentred, kPovCentred, kPovCentred};
  };
  struct MouseState {
    int x = 0, y = 0, z = 0;
    std::array<unsigned char, kMouseButtons> buttons = {};
  };

  void SetError(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool IsController(int joy) const { return joy >= 0 && joy < m_numControllers; }
  Controller* FindController(int32_t instanceId);
  bool OpenController(Controller& controller, int deviceIndex);
  void CloseController(Controller& controller);
  bool UpdateControllers();
  void ReadController(Controller& controller);
  void DropUnplugged(int joy);
  bool Replug(int joy);
  void OnJoystickEvent(const SDL_Event& event);
  void OnKeyEvent(const SDL_KeyboardEvent& event);
  void OnMouseEvent(const SDL_Event& event);

  char m_error[kErrorCapacity] = {};
  Basalt::PlatformSDL* m_platform = nullptr;
  bool m_joysticksStarted = false;
  bool m_readJoysticks = false;
  bool m_keyboardInitialized = false;
  bool m_mouseInitialized = false;
  bool m_devicesAdded = false;  // a device was plugged in since the last frame

  std::array<Controller, kMaxJoysticks> m_controllers;
  int m_numControllers = 0;

  Basalt::EventButtons<kKeys> m_keys;
  std::array<unsigned char, kKeys> m_keyboardState = {};

  Basalt::EventButtons<kMouseButtons> m_mouseButtons;
  int m_mouseMotionX = 0, m_mouseMotionY = 0, m_mouseMotionZ = 0;
  MouseState m_mouseState;
};

namespace Basalt {

// The engine's input, created by Core::InitInput; null when g_disableInput is
// set, before start-up and after shutdown.
extern CInput* g_pInput;

}  // namespace Basalt
