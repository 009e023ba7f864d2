#pragma once
// The game controllers as the input thread reads them: up to four SDL
// joysticks, opened at start-up in SDL's order, whose button and hat changes
// come out of each poll as events, each press with the strength its
// controller reports for it, together with a controller going away and
// coming back.
#include <SDL_events.h>
#include <SDL_thread.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "basalt/input/controller_models.h"
#include "basalt/input/input_event.h"
#include "basalt/input/press_velocities.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace Basalt {

class ControllerPoller {
 public:
  static constexpr int kMaxControllers = 4;
  static constexpr int kButtons = 128;  // buttons beyond these are not read
  static constexpr int kHats = 4;
  static constexpr unsigned kNameCapacity = 260;
  static constexpr unsigned kErrorCapacity = 128;
  // Events one poll can hold; more are dropped and counted.
  static constexpr size_t kPollCapacity = 1024;

  ControllerPoller() = default;
  ~ControllerPoller();
  ControllerPoller(const ControllerPoller&) = delete;
  ControllerPoller& operator=(const ControllerPoller&) = delete;

  // Main thread, before Attach: opens SDL's device deviceIndex as the next
  // controller. False (SDL_GetError says why) when SDL cannot open it.
  bool Add(int deviceIndex, const ControllerModel* model, const char* name);
  // Any thread once Attach has run: what Add was given. They never change
  // afterwards (a controller plugged in again keeps its index, model and name).
  int Count() const { return m_count; }
  const ControllerModel& Model(int joy) const { return *m_slots[static_cast<size_t>(joy)].model; }
  const char* Name(int joy) const { return m_slots[static_cast<size_t>(joy)].name; }

  // On the thread that will poll, before its first Poll: from now on that
  // thread owns the open devices, and SDL's event watch reports to us.
  void Attach();
  // Main thread, after the polling thread has ended: stops watching SDL's events.
  void Detach();
  // The polling thread: updates SDL's joysticks and returns this poll's
  // events in the order they happened, stamped when seen, valid until the
  // next Poll. A controller that went away is closed (ControllerUnplugged);
  // after a device was plugged in, a free one of the same model takes the
  // place of an unplugged controller (ControllerReplugged).
  size_t Poll(const InputEvent** events);
  // Events lost because one poll held more than kPollCapacity. Any thread.
  uint64_t Dropped() const { return m_dropped.load(std::memory_order_relaxed); }
  // Main thread: the text of a controller that could not be reopened, once
  // (false when there is none to report).
  bool TakeError(char* text, size_t size);
  // After Detach (or without one): closes every controller and forgets them.
  void CloseAll();

 private:
  struct Slot {
    const ControllerModel* model = nullptr;  // set by Add, fixed afterwards
    char name[kNameCapacity] = {};
    SDL_Joystick* device = nullptr;  // null while unplugged; the polling thread's
    int32_t instanceId = -1;         // SDL's id of the open device
    int axes = 0;                    // the open device's axes
  };

  static int SDLCALL Watch(void* self, SDL_Event* event);
  void OnJoystickEvent(const SDL_Event& event);
  void OnHat(const SDL_JoyHatEvent& hat);
  void OnAxis(const SDL_JoyAxisEvent& axis);
  void OnButton(const SDL_JoyButtonEvent& button);
  // The poll's next event (null, counted as dropped, when the poll is full).
  InputEvent* Append(InputEvent::Type type, int joy, int code = 0, int32_t value = 0);
  // Where controller joy reports button's strength: null when its model does
  // not, or the open device lacks that axis.
  const VelocityAxis* VelocitySourceOf(int joy, int button) const;
  int16_t ReadAxis(int joy, int axis) const;
  int FindController(int32_t instanceId) const;
  bool Open(Slot& slot, int deviceIndex);
  static void Close(Slot& slot);
  void DropUnplugged();
  void ReplugAll();
  void Replug(int joy);
  void ReportError(int joy);

  std::array<Slot, kMaxControllers> m_slots;
  int m_count = 0;
  bool m_watching = false;  // main thread

  // The polling thread's, filled while SDL's watch runs on it.
  std::array<InputEvent, kPollCapacity> m_events;
  size_t m_numEvents = 0;
  PressVelocities m_velocities;  // this poll's presses waiting for their strength

  // Crossing threads: the poller's thread (0: none), a device plugged in
  // (set from whichever thread SDL pushed its event on), the drop count,
  // and a reopen error handed to the main thread (the text is written only
  // while the flag is clear, read only while it is set).
  std::atomic<SDL_threadID> m_thread{0};
  std::atomic<bool> m_devicesAdded{false};
  std::atomic<uint64_t> m_dropped{0};
  std::atomic<bool> m_errorReady{false};
  char m_error[kErrorCapacity] = {};
};

}  // namespace Basalt
