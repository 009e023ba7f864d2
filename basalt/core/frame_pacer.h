#pragma once
// Keeps the frame loop from spinning: after each frame it sleeps until
// 1 / maxFps seconds have passed since the previous frame began. It reads the
// real steady clock (never the instrument clock a test may hold still), and a
// frame that ran late starts the next period from now instead of trying to
// catch up. Nothing audible depends on it: strikes and sound run on their own
// threads. Main thread.
#include <chrono>

namespace Basalt {

class FramePacer {
 public:
  // Blocks for what is left of the frame's share; maxFps 0 or less: never.
  void Wait(int maxFps);

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point m_frameStart = Clock::now();
};

}  // namespace Basalt
