#pragma once
// Something that hears the instrument's strikes on the main thread: the drum
// set flashes them, the recorder stores them. A listener is told of each
// strike, and of each release of a modifier pedal, in the order they were
// struck, on the frame the main thread learns of it. OnStrike runs on the
// main thread, must not block and should not allocate; the listener outlives
// its registration (Instrument::StopListening before it goes).
#include "backline/pads/strike_path.h"

class StrikeListener {
 public:
  virtual ~StrikeListener() = default;
  virtual void OnStrike(const StrikeReport& strike) = 0;
};
