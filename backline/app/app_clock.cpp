#include "backline/app/app_clock.h"

#include <atomic>
#include <chrono>

namespace {

uint32_t SteadyMilliseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::atomic<TimeMsSource> g_timeMsSource{&SteadyMilliseconds};

}  // namespace

uint32_t GetTimeMs() { return g_timeMsSource.load(std::memory_order_relaxed)(); }

void SetTimeMsSource(TimeMsSource source) { g_timeMsSource.store(source ? source : &SteadyMilliseconds); }
