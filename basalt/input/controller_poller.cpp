// How a poll sees every change. SDL keeps the last state of each button and
// hat; SDL_JoystickUpdate reads the devices and, for every change it finds,
// pushes an event, calling each event watch synchronously on the thread that
// is updating. So instead of comparing states (which loses a press and
// release that both happen between two looks), the watch records each change
// the moment SDL sees it, in order: one update that reads a pad going down
// and up again yields two events. Only changes pushed on the polling thread
// itself are recorded; the same watch sees every other event of the process
// too, from any thread (a device plugged in only raises a flag, and the next
// poll looks for a returning controller). A press of a pad whose controller
// reports its strength on an axis gets it at its release or once the update
// is over (press_velocities.h), since a driver may hand that axis on after
// the button.
#include "basalt/input/controller_poller.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace Basalt {

static_assert(PressVelocities::kCapacity >= ControllerPoller::kPollCapacity, "every press of a poll can wait");

namespace {

int PovFromHat(Uint8 hat) {
  switch (hat) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 4500;
    case SDL_HAT_RIGHT:
      return 9000;
    case SDL_HAT_RIGHTDOWN:
      return 13500;
    case SDL_HAT_DOWN:
      return 18000;
    case SDL_HAT_LEFTDOWN:
      return 22500;
    case SDL_HAT_LEFT:
      return 27000;
    case SDL_HAT_LEFTUP:
      return 31500;
    default:
      return -1;
  }
}

uint32_t DeviceKey(int deviceIndex) {
  return ControllerKey(SDL_JoystickGetDeviceVendor(deviceIndex), SDL_JoystickGetDeviceProduct(deviceIndex));
}

}  // namespace

ControllerPoller::~ControllerPoller() {
  Detach();
  CloseAll();
}

bool ControllerPoller::Add(int deviceIndex, const ControllerModel* model, const char* name) {
  if (m_count == kMaxControllers) return false;
  Slot& slot = m_slots[static_cast<size_t>(m_count)];
  if (!Open(slot, deviceIndex)) return false;
  slot.model = model;
  std::snprintf(slot.name, sizeof slot.name, "%s", name);
  ++m_count;
  return true;
}

void ControllerPoller::Attach() {
  m_thread.store(SDL_ThreadID());
  SDL_AddEventWatch(&ControllerPoller::Watch, this);
  m_watching = true;
}

// SDL_DelEventWatch waits for a watch call under way on another thread.
void ControllerPoller::Detach() {
  if (!m_watching) return;
  SDL_DelEventWatch(&ControllerPoller::Watch, this);
  m_watching = false;
  m_thread.store(0);
}

size_t ControllerPoller::Poll(const InputEvent** events) {
  m_numEvents = 0;
  m_velocities.Clear();
  SDL_JoystickUpdate();
  m_velocities.Settle([this](int joy, int axis) { return ReadAxis(joy, axis); });
  DropUnplugged();
  if (m_devicesAdded.exchange(false)) ReplugAll();
  *events = m_events.data();
  return m_numEvents;
}

int SDLCALL ControllerPoller::Watch(void* self, SDL_Event* event) {
  ControllerPoller& poller = *static_cast<ControllerPoller*>(self);
  switch (event->type) {
    case SDL_JOYDEVICEADDED:
      poller.m_devicesAdded.store(true);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYHATMOTION:
    case SDL_JOYAXISMOTION:
      if (SDL_ThreadID() == poller.m_thread.load()) poller.OnJoystickEvent(*event);
      break;
    default:
      break;
  }
  return 0;
}

void ControllerPoller::OnJoystickEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYHATMOTION:
      return OnHat(event.jhat);
    case SDL_JOYAXISMOTION:
      return OnAxis(event.jaxis);
    default:
      return OnButton(event.jbutton);
  }
}

void ControllerPoller::OnHat(const SDL_JoyHatEvent& hat) {
  const int joy = FindController(hat.which);
  if (joy >= 0 && hat.hat < kHats) Append(InputEvent::HatMoved, joy, hat.hat, PovFromHat(hat.value));
}

void ControllerPoller::OnAxis(const SDL_JoyAxisEvent& axis) {
  const int joy = FindController(axis.which);
  if (joy >= 0) m_velocities.AxisMoved(joy, axis.axis, axis.value);
}

void ControllerPoller::OnButton(const SDL_JoyButtonEvent& button) {
  const int joy = FindController(button.which);
  if (joy < 0 || button.button >= kButtons) return;
  const bool down = button.type == SDL_JOYBUTTONDOWN;
  InputEvent* event = Append(down ? InputEvent::ButtonDown : InputEvent::ButtonUp, joy, button.button);
  const VelocityAxis* source = VelocitySourceOf(joy, button.button);
  if (!source) return;
  if (!down)
    m_velocities.Released(joy, button.button, ReadAxis(joy, source->axis));
  else if (event)
    m_velocities.Wait(event, *source);
}

InputEvent* ControllerPoller::Append(InputEvent::Type type, int joy, int code, int32_t value) {
  if (m_numEvents == kPollCapacity) {
    m_dropped.fetch_add(1, std::memory_order_relaxed);
    return nullptr;
  }
  InputEvent& event = m_events[m_numEvents++];
  event = InputEvent();
  event.type = type;
  event.joy = static_cast<int8_t>(joy);
  event.code = static_cast<uint8_t>(code);
  event.value = value;
  event.time = GetTimeNs();
  return &event;
}

const VelocityAxis* ControllerPoller::VelocitySourceOf(int joy, int button) const {
  const VelocityAxis* source = VelocitySource(Model(joy).velocity, button);
  return source && source->axis < m_slots[static_cast<size_t>(joy)].axes ? source : nullptr;
}

int16_t ControllerPoller::ReadAxis(int joy, int axis) const {
  SDL_Joystick* device = m_slots[static_cast<size_t>(joy)].device;
  return device ? SDL_JoystickGetAxis(device, axis) : 0;
}

int ControllerPoller::FindController(int32_t instanceId) const {
  for (int joy = 0; joy < m_count; ++joy) {
    const Slot& slot = m_slots[static_cast<size_t>(joy)];
    if (slot.device && slot.instanceId == instanceId) return joy;
  }
  return -1;
}

bool ControllerPoller::Open(Slot& slot, int deviceIndex) {
  slot.device = SDL_JoystickOpen(deviceIndex);
  if (!slot.device) return false;
  slot.instanceId = SDL_JoystickInstanceID(slot.device);
  slot.axes = SDL_JoystickNumAxes(slot.device);
  return true;
}

void ControllerPoller::Close(Slot& slot) {
  if (slot.device) SDL_JoystickClose(slot.device);
  slot.device = nullptr;
  slot.instanceId = -1;
  slot.axes = 0;
}

void ControllerPoller::DropUnplugged() {
  for (int joy = 0; joy < m_count; ++joy) {
    Slot& slot = m_slots[static_cast<size_t>(joy)];
    if (!slot.device || SDL_JoystickGetAttached(slot.device)) continue;
    Close(slot);
    Append(InputEvent::ControllerUnplugged, joy);
  }
}

void ControllerPoller::ReplugAll() {
  for (int joy = 0; joy < m_count; ++joy) {
    if (!m_slots[static_cast<size_t>(joy)].device) Replug(joy);
  }
}

// Takes the first attached device with the controller's ids that is not one
// of ours already.
void ControllerPoller::Replug(int joy) {
  Slot& slot = m_slots[static_cast<size_t>(joy)];
  const int devices = SDL_NumJoysticks();
  for (int index = 0; index < devices; ++index) {
    if (DeviceKey(index) != slot.model->key || FindController(SDL_JoystickGetDeviceInstanceID(index)) >= 0) continue;
    if (Open(slot, index))
      Append(InputEvent::ControllerReplugged, joy);
    else
      ReportError(joy);
    return;
  }
}

// SDL's error text belongs to this thread: it is copied for the main thread,
// unless that one has not taken the last error yet.
void ControllerPoller::ReportError(int joy) {
  if (m_errorReady.load(std::memory_order_acquire)) return;
  std::snprintf(m_error, sizeof m_error, "Failed to reopen controller %d: %s", joy, SDL_GetError());
  m_errorReady.store(true, std::memory_order_release);
}

bool ControllerPoller::TakeError(char* text, size_t size) {
  if (!m_errorReady.load(std::memory_order_acquire)) return false;
  std::snprintf(text, size, "%s", m_error);
  m_errorReady.store(false, std::memory_order_release);
  return true;
}

void ControllerPoller::CloseAll() {
  for (Slot& slot : m_slots) {
    Close(slot);
    slot = Slot();
  }
  m_count = 0;
}

}  // namespace Basalt
