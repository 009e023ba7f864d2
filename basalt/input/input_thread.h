#pragma once
// The input thread: about 2000 times a second it takes the keys the main
// thread forwarded and the controllers' changes (ControllerPoller), hands
// each event at once to the listener, on this thread, and queues the
// controllers' events for the main thread's next frame.
#include <atomic>
#include <cstdint>
#include <thread>

#include "basalt/input/controller_poller.h"
#include "basalt/input/input_event.h"
#include "basalt/util/spsc_queue.h"

namespace Basalt {

class InputThread {
 public:
  static constexpr size_t kKeyCapacity = 1024;    // keys forwarded, not yet polled
  static constexpr size_t kEventCapacity = 4096;  // controller events the main thread has not read
  static constexpr int kPollIntervalUs = 500;
  static constexpr int kWaitLimitMs = 5000;  // WaitForPolls gives up after this

  InputThread() = default;
  ~InputThread() { Stop(); }
  InputThread(const InputThread&) = delete;
  InputThread& operator=(const InputThread&) = delete;

  // Main thread. Starts polling; controllers (not owned, null for keys
  // only) belong to the input thread from now until Stop returns. Does
  // nothing while running.
  void Start(ControllerPoller* controllers);
  // Main thread. Ends the thread and waits for it; a second call does nothing.
  void Stop();
  bool Running() const { return m_thread.joinable(); }

  // Main thread: hands a key event (KeyDown or KeyUp) to the next poll.
  // Keys forwarded while the input thread is stalled and the queue is full are
  // dropped and counted.
  void ForwardKey(const InputEvent& key);
  // Main thread: the controllers' next event, in order; false when none is waiting.
  bool PopEvent(InputEvent* out) { return m_events.Pop(out); }
  // Main thread: whether a controller event waits for the next frame.
  bool EventWaiting() const { return m_events.SizeApprox() > 0; }
  // Main thread: events lost on either queue, or in a poll, since the start.
  uint64_t Dropped() const;

  // Main thread, not from within the listener. The listener (not owned; null
  // removes it) is called on the input thread from the next poll on. When
  // this returns, the listener it replaced is not being called and never
  // will be again: it blocks for the rest of a poll under way.
  void SetListener(IInputListener* listener);
  // Whether the thread runs at a raised priority (SDL's high priority: ahead
  // of the rendering threads on a loaded machine): 1 raised, -1 refused by the
  // system, 0 not known yet. Any thread.
  int PriorityRaised() const { return m_priorityRaised.load(std::memory_order_acquire); }
  // Polls completed since Start. Any thread.
  uint64_t PollCount() const { return m_pollSeq.load() / 2; }
  // Main thread: blocks until `polls` more polls have completed after the
  // call (the first may have begun before it, so two polls make sure one
  // saw everything done before the call). False when the thread is not
  // running or after kWaitLimitMs.
  bool WaitForPolls(int polls) const;

 private:
  void Run();
  void Poll();
  void Deliver(IInputListener* listener, const InputEvent& event);

  std::thread m_thread;
  ControllerPoller* m_controllers = nullptr;  // the input thread's while it runs

  // Crossing threads: the queues in both directions, the stop request, the
  // listener, the counts. m_pollSeq is odd while a poll is under way.
  util::SpscQueue<InputEvent, kKeyCapacity> m_keys;      // main -> input
  util::SpscQueue<InputEvent, kEventCapacity> m_events;  // input -> main
  std::atomic<bool> m_stop{false};
  std::atomic<IInputListener*> m_listener{nullptr};
  std::atomic<uint64_t> m_pollSeq{0};
  std::atomic<uint64_t> m_droppedEvents{0};
  std::atomic<int> m_priorityRaised{0};
  uint64_t m_droppedKeys = 0;  // main thread
};

}  // namespace Basalt
