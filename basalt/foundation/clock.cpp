#include "basalt/foundation/clock.h"

#include <atomic>
#include <chrono>

namespace Basalt {

namespace {

TimeNs SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::atomic<TimeSource> g_timeSource{&SteadyNanoseconds};

}  // namespace

TimeNs GetTimeNs() { return g_timeSource.load(std::memory_order_relaxed)(); }

void SetTimeSource(TimeSource source) { g_timeSource.store(source ? source : &SteadyNanoseconds); }

}  // namespace Basalt
