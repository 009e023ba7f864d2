#pragma once
// The instrument's clock: a steady, monotonic count of nanoseconds that every
// thread reads. Strikes are stamped with it where they are seen, the audio
// thread maps it onto its output stream, and the program's millisecond clock
// (recorded times, the screens' timers) is derived from it. Any thread; never
// blocks.
#include <cstdint>

namespace Basalt {

using TimeNs = int64_t;

constexpr TimeNs kNsPerMs = 1000000;
constexpr TimeNs kNsPerSecond = 1000000000;

// Now, on the steady clock (or the source a test put in its place).
TimeNs GetTimeNs();

// Replaces the clock for the whole process (tests step time by hand); null
// restores the steady clock. The source is called from every thread.
using TimeSource = TimeNs (*)();
void SetTimeSource(TimeSource source);

}  // namespace Basalt
