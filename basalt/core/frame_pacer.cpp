#include "basalt/core/frame_pacer.h"

#include <algorithm>
#include <thread>

namespace Basalt {

int FrameRateCap(int maxFps, int idleFps, bool idle) {
  if (!idle || idleFps <= 0) return maxFps;
  return maxFps <= 0 ? idleFps : std::min(maxFps, idleFps);
}

void FramePacer::Wait(int maxFps, WakeCheck wake) {
  if (maxFps > 0) {
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / maxFps;
    const Clock::time_point due = m_frameStart + period;
    const auto step = std::chrono::milliseconds(wake ? kWakeCheckMs : 0);
    while (Clock::now() < due && !(wake && wake()))
      std::this_thread::sleep_until(wake ? std::min(due, Clock::now() + step) : due);
  }
  m_frameStart = Clock::now();
}

}  // namespace Basalt
