#pragma once
// Keeps the frame loop from spinning: after each frame it sleeps until
// 1 / maxFps seconds have passed since the previous frame began. It reads the
// real steady clock (never the instrument clock a test may hold still), and a
// frame that ran late starts the next period from now instead of trying to
// catch up. Nothing audible depends on it: strikes and sound run on their own
// threads. Main thread.
//
// A menu that nobody touches needs no more than a steady picture: after a
// second without input, unless the application follows music on screen, the
// core asks for the idle rate instead, which on a machine that draws in
// software is most of what it costs to sit there. That wait ends the moment
// input arrives, so the first press after a pause is drawn at once.
#include <chrono>

namespace Basalt {

// The frame rate the loop may draw at: maxFps, or idleFps once the program
// has gone a while without input (when that is lower, or there is no cap).
// 0 or less means no cap.
int FrameRateCap(int maxFps, int idleFps, bool idle);

class FramePacer {
 public:
  // Whether something happened that should end the wait at once.
  using WakeCheck = bool (*)();
  static constexpr int kWakeCheckMs = 2;  // how often a wait looks

  // Blocks for what is left of the frame's share; maxFps 0 or less: never.
  // With wake, it looks every kWakeCheckMs and ends as soon as wake says so.
  void Wait(int maxFps, WakeCheck wake = nullptr);

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point m_frameStart = Clock::now();
};

}  // namespace Basalt
