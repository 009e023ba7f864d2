#pragma once
// The game controllers as the input thread reads them: up to four SDL
// joysticks, each in the place the main thread chose for it
// (ControllerPlaces), whose button and hat changes come out of each poll as
// events, each press with the strength its controller reports for it,
// together with a controller going away. The main thread opens a device and
// hands it over (at start-up or when one is plugged in); from the next poll
// on it is the input thread's, which closes it when it goes away.
#include <SDL_events.h>
#include <SDL_thread.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "basalt/input/controller_models.h"
#include "basalt/input/input_event.h"
#include "basalt/input/press_velocities.h"
#include "basalt/util/spsc_queue.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace Basalt {

class ControllerPoller {
 public:
  static constexpr int kMaxControllers = 4;
  static constexpr int kButtons = 128;  // buttons beyond these are not read
  static constexpr int kHats = 4;
  // Events one poll can hold; more are dropped and counted.
  static constexpr size_t kPollCapacity = 1024;

  ControllerPoller() = default;
  ~ControllerPoller();
  ControllerPoller(const ControllerPoller&) = delete;
  ControllerPoller& operator=(const ControllerPoller&) = delete;

  // Main thread: device (opened by the caller, owned from now on) of model
  // goes into place joy, which the main thread knows to be empty (its
  // controller never came or was reported unplugged). The next poll starts
  // reading it; until then, or without a polling thread, it waits here.
  void Hand(int joy, SDL_Joystick* device, const ControllerModel& model);

  // On the thread that will poll, before its first Poll: from now on that
  // thread owns the open devices, and SDL's event watch reports to us.
  void Attach();
  // Main thread, after the polling thread has ended: stops watching SDL's events.
  void Detach();
  // The polling thread: takes the devices handed over, updates SDL's
  // joysticks and returns this poll's events in the order they happened,
  // stamped when seen, valid until the next Poll. A controller that went
  // away is closed (ControllerUnplugged).
  size_t Poll(const InputEvent** events);
  // Events lost because one poll held more than kPollCapacity. Any thread.
  uint64_t Dropped() const { return m_dropped.load(std::memory_order_relaxed); }
  // After Detach (or without one): closes every controller, those still
  // waiting to be taken too, and forgets them.
  void CloseAll();

 private:
  struct Slot {
    const ControllerModel* model = nullptr;  // the polling thread's copy of its place's model
    SDL_Joystick* device = nullptr;          // null while the place is empty
    int32_t instanceId = -1;                 // SDL's id of the open device
    int axes = 0;                            // the open device's axes
  };
  struct Handover {
    int joy = 0;
    SDL_Joystick* device = nullptr;
    const ControllerModel* model = nullptr;
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
  void TakeHandedOver();
  static void Close(Slot& slot);
  void DropUnplugged();

  std::array<Slot, kMaxControllers> m_slots;  // the polling thread's once attached
  bool m_watching = false;                    // main thread

  // The polling thread's, filled while SDL's watch runs on it.
  std::array<InputEvent, kPollCapacity> m_events;
  size_t m_numEvents = 0;
  PressVelocities m_velocities;  // this poll's presses waiting for their strength

  // Crossing threads: the devices handed over (main -> polling thread; at
  // most one per place is ever waiting), the poller's thread (0: none) and
  // the drop count.
  util::SpscQueue<Handover, kMaxControllers> m_handovers;
  std::atomic<SDL_threadID> m_thread{0};
  std::atomic<uint64_t> m_dropped{0};
};

}  // namespace Basalt
