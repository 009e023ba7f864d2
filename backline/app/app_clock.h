#pragma once
// The program's millisecond clock: hit re-trigger times, the metronome, the
// recorder and the player all read it. 32 bits, wrapping about every 49.7
// days, so intervals are always taken as unsigned differences. Any thread.
#include <cstdint>

uint32_t GetTimeMs();

// Replaces the clock (tests step time by hand); null restores the steady clock.
using TimeMsSource = uint32_t (*)();
void SetTimeMsSource(TimeMsSource source);
