// One poll: mark the sequence odd, take the listener, deliver the forwarded
// keys and then the controllers' events in order, tell the listener the
// poll's time, mark the sequence even. Nothing on this path takes a lock or
// allocates. SetListener relies on the order of those steps: it swaps the
// pointer and then, if it finds the sequence odd, waits for it to move on;
// a poll that took the old listener had already made the sequence odd, so
// (all of it sequentially consistent) no call to the old one can follow.
#include "basalt/input/input_thread.h"

#include <SDL.h>

#include <chrono>

namespace Basalt {

void InputThread::Start(ControllerPoller* controllers) {
  if (Running()) return;
  m_controllers = controllers;
  m_priorityRaised.store(0);
  m_stop.store(false);
  m_thread = std::thread(&InputThread::Run, this);
}

void InputThread::Stop() {
  if (!Running()) return;
  m_stop.store(true);
  m_thread.join();
  m_controllers = nullptr;
}

void InputThread::ForwardKey(const InputEvent& key) {
  if (!m_keys.Push(key)) ++m_droppedKeys;
}

uint64_t InputThread::Dropped() const {
  const uint64_t controllers = m_controllers ? m_controllers->Dropped() : 0;
  return m_droppedKeys + m_droppedEvents.load(std::memory_order_relaxed) + controllers;
}

void InputThread::SetListener(IInputListener* listener) {
  m_listener.store(listener);
  const uint64_t seq = m_pollSeq.load();
  if (seq % 2 == 0) return;
  while (m_pollSeq.load() == seq) std::this_thread::yield();
}

bool InputThread::WaitForPolls(int polls) const {
  if (!Running()) return false;
  const uint64_t target = PollCount() + static_cast<uint64_t>(polls);
  const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitLimitMs);
  while (PollCount() < target) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(kPollIntervalUs / 4));
  }
  return true;
}

void InputThread::Run() {
  m_priorityRaised.store(SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH) == 0 ? 1 : -1, std::memory_order_release);
  if (m_controllers) m_controllers->Attach();
  while (!m_stop.load()) {
    Poll();
    std::this_thread::sleep_for(std::chrono::microseconds(kPollIntervalUs));
  }
}

void InputThread::Poll() {
  m_pollSeq.fetch_add(1);
  IInputListener* listener = m_listener.load();
  InputEvent key;
  while (m_keys.Pop(&key)) Deliver(listener, key);
  if (m_controllers) {
    const InputEvent* events = nullptr;
    const size_t count = m_controllers->Poll(&events);
    for (size_t i = 0; i < count; ++i) Deliver(listener, events[i]);
  }
  if (listener) listener->OnInputPoll(GetTimeNs());
  m_pollSeq.fetch_add(1);
}

// Keys came from the main thread, which keeps them: only the controllers'
// events go back to it.
void InputThread::Deliver(IInputListener* listener, const InputEvent& event) {
  if (listener) listener->OnInputEvent(event);
  if (event.type == InputEvent::KeyDown || event.type == InputEvent::KeyUp) return;
  if (!m_events.Push(event)) m_droppedEvents.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace Basalt
