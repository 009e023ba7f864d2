#pragma once
// The program's millisecond clock: the screens' timers, blinking carets and
// key repeats read it. It is the instrument clock (basalt/foundation/clock.h) in
// whole milliseconds, 32 bits, wrapping about every 49.7 days, so intervals
// are always taken as unsigned differences. Any thread.
#include <cstdint>

uint32_t GetTimeMs();
