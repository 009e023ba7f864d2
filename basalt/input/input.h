#pragma once
// Input: the keyboard, the mouse and up to four game controllers. Strikes
// are seen at once on the input thread (InputThread), which hands them to a
// listener; the frame's view is captured once per frame so that every query
// of a frame sees the same state. The core creates one (Core::InitializeInput),
// updates it after pumping the platform's events and shuts it down first; the
// program only queries it.
//
// Threads. Every member function is for the main thread. The input thread
// owns the open controllers (m_controllers' devices) and the listener's
// calls. What crosses: forwarded keys (main -> input) and the controllers'
// events (input -> main) through two lock-free queues inside m_thread, plus
// its atomics (stop flag, listener, poll count, drop counts), and the devices
// the main thread opened and hands over (a third queue, in m_controllers).
// The places, with the controllers' models and names, are the main thread's
// (m_places): it places every controller, at start-up and when one is
// plugged in while the program runs. Only the main thread logs.
#include <array>
#include <cstdint>
#include <vector>

#include "basalt/input/controller_frame.h"
#include "basalt/input/controller_models.h"
#include "basalt/input/controller_places.h"
#include "basalt/input/controller_poller.h"
#include "basalt/input/frame_presses.h"
#include "basalt/input/input_thread.h"
#include "basalt/input/press_latch.h"
#include "basalt/platform/sdl/platform_sdl.h"

struct SDL_KeyboardEvent;

class Input final : public Basalt::IEventObserver {
 public:
  static constexpr int kMaxJoysticks = Basalt::ControllerPoller::kMaxControllers;
  static constexpr int kJoyButtons = Basalt::ControllerPoller::kButtons;
  static constexpr int kJoyHats = Basalt::ControllerPoller::kHats;
  static constexpr int kKeys = 256;
  static constexpr int kMouseButtons = 4;  // left, right, middle, first side button
  static constexpr int kWheelStep = 120;   // GetMouseZ per notch of the wheel
  static constexpr int kHatCentred = -1;
  static constexpr int kMaxFramePresses = Basalt::FramePresses::kCapacity;
  static constexpr unsigned kErrorCapacity = 128;

  // The devices of InitializeDevices.
  static constexpr int kKeyboardDevice = 1;
  static constexpr int kMouseDevice = 2;
  static constexpr int kJoystickDevices = 4;

  Input() = default;
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  // Starts SDL's joysticks, leaving their updates to the input thread (the
  // event pump no longer updates them), and watches the platform's event
  // pump (platform is not owned and must outlive Shutdown; null leaves
  // keyboard and mouse out). False, with the error text set, when SDL refuses.
  bool Initialize(Basalt::PlatformSDL* platform);
  // Logs every attached controller and opens the recognised ones, up to
  // four, as controllers 0..3 in SDL's order. Once, after Initialize.
  void EnumJoysticks();
  // While the controllers are read (InitializeDevices), a device plugged in is
  // found by the next Update and logged as at start-up; a recognised one
  // takes the place its model left, else the first free place, and plays at
  // once; an unrecognised one, or a fifth controller, is left out.
  // devices: kKeyboardDevice | kMouseDevice | kJoystickDevices. Controllers
  // are read only when readJoysticks is set and kJoystickDevices is given;
  // otherwise they stay released. Starts the input thread when there is a
  // keyboard or controllers to read. False, with the error text set, when a
  // requested keyboard cannot be had; a missing mouse only sets the error.
  bool InitializeDevices(bool readJoysticks, int devices);
  // Captures this frame's state from what the input thread queued and the
  // pump's keys and mouse, and places the controllers plugged in since the
  // last frame. A controller unplugged reads released from then on (both are
  // logged). False, with the error text set, when a controller plugged in
  // cannot be opened.
  bool Update();
  // Stops and joins the input thread, then closes the controllers and SDL's
  // joysticks and stops watching the events. The destructor calls it; a
  // second call does nothing.
  void Shutdown();

  // The listener (not owned; null removes it) sees every key and controller
  // event on the input thread (Basalt::IInputListener). Any time, not from
  // the listener itself; blocks for the rest of a poll under way, so a
  // listener replaced or removed is never called once this returns.
  void SetListener(Basalt::IInputListener* listener) { m_thread.SetListener(listener); }
  // Polls of the input thread completed so far; never blocks.
  uint64_t PollCount() const { return m_thread.PollCount(); }
  // Blocks until `polls` more polls have completed after the call: after
  // setting a controller's state, two polls make sure the input thread has
  // seen it. False when there is no input thread or after a few seconds.
  bool WaitForPolls(int polls) const { return m_thread.WaitForPolls(polls); }

  bool KeyboardInitialized() const { return m_keyboardInitialized; }
  bool MouseInitialized() const { return m_mouseInitialized; }
  // True for controller indices below GetNumJoys, plugged in or not.
  bool JoystickInitialized(int joy) const { return IsController(joy); }
  // Whether controller joy is plugged in now.
  bool JoyPluggedIn(int joy) const { return IsController(joy) && m_places.PluggedIn(joy); }
  // Arrivals and departures of controllers since start-up: whoever keeps
  // something per controller looks again when it moves.
  uint32_t ControllerChanges() const { return m_controllerChanges; }

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
  int GetJoyHat(int joy, int hat) const;
  bool IsJoy360(int joy) const;
  bool IsJoyDrums(int joy) const;
  // The controller's key (product id << 16 | vendor id), 0 for no controller.
  uint32_t GetJoyType(int joy) const;
  // The places taken so far: a controller unplugged keeps its place.
  int GetNumJoys() const { return m_places.Count(); }
  // The controllers plugged in that count as drum sets (Basalt::ControllerModel).
  int NumDrums() const;
  // This frame's presses in the order they happened, at most
  // kMaxFramePresses: KeyDown (not key repeats), ButtonDown, and HatMoved to
  // a direction. Valid until the next Update.
  const Basalt::InputEvent* GetFramePresses(int* count) const { return m_presses.Get(count); }
  // Whether anything was pressed, released or moved since the last frame
  // (keys, mouse, controllers): the core draws at full rate while it is.
  bool HadInput() const { return m_hadInput; }
  // Whether a controller event waits for the next frame (the core cuts an
  // idle frame's sleep short for it).
  bool ControllerEventWaiting() const { return m_thread.EventWaiting(); }
  const char* GetError() const { return m_error; }

  void OnEvent(const SDL_Event& event) override;

 private:
  struct MouseState {
    int x = 0, y = 0, z = 0;
    std::array<unsigned char, kMouseButtons> buttons = {};
  };

  void SetError(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool IsController(int joy) const { return joy >= 0 && joy < m_places.Count(); }
  void ReadControllerEvents();
  void ApplyControllerEvent(const Basalt::InputEvent& event);
  // Logs SDL's device index and, when it is a recognised controller with a
  // place free, opens it into that place. False only when SDL cannot open it.
  bool PlaceDevice(int index, bool pluggedInLater);
  // The devices SDL lists now that were not there at the last look, placed.
  bool PlaceNewDevices();
  void LogDroppedEvents();
  void LogThreadPriority();
  void OnKeyEvent(const SDL_KeyboardEvent& event);
  void OnMouseEvent(const SDL_Event& event);

  // Main thread.
  char m_error[kErrorCapacity] = {};
  Basalt::PlatformSDL* m_platform = nullptr;
  bool m_joysticksStarted = false;
  bool m_readJoysticks = false;
  bool m_keyboardInitialized = false;
  bool m_inputSinceUpdate = false;  // a key or mouse event since the last Update
  bool m_hadInput = false;
  bool m_mouseInitialized = false;
  bool m_droppedLogged = false;
  bool m_priorityLogged = false;
  bool m_devicesAdded = false;         // SDL said a device was plugged in; not looked at yet
  std::vector<int32_t> m_seenDevices;  // SDL's ids of the devices already logged
  uint32_t m_controllerChanges = 0;

  std::array<Basalt::ControllerFrame, kMaxJoysticks> m_frames;
  Basalt::FramePresses m_presses;

  Basalt::EventButtons<kKeys> m_keys;
  std::array<unsigned char, kKeys> m_keyboardState = {};

  Basalt::EventButtons<kMouseButtons> m_mouseButtons;
  int m_mouseMotionX = 0, m_mouseMotionY = 0, m_mouseMotionZ = 0;
  MouseState m_mouseState;

  // Which controller is in which place: main thread. Open devices: the
  // input thread's while it runs.
  Basalt::ControllerPlaces m_places;
  Basalt::ControllerPoller m_controllers;
  // The thread, its queues and atomics (see the top of this file).
  Basalt::InputThread m_thread;
};

namespace Basalt {

// The engine's input, created by Core::InitializeInput; null when g_disableInput is
// set, before start-up and after shutdown.
extern Input* g_pInput;

}  // namespace Basalt
