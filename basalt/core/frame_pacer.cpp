#include "basalt/core/frame_pacer.h"

#include <algorithm>
#include <thread>

namespace Basalt {

int FrameRateCap(int maxFps, int idleFps, bool idle) {
  if (!idle || idleFps <= 0) return maxFps;
  return maxFps <= 0 ? idleFps : std::min(maxFps, idleFps);
}

void FramePacer::Wait(int maxFps) {
  if (maxFps > 0) {
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / maxFps;
    const Clock::time_point due = m_frameStart + period;
    if (Clock::now() < due) std::this_thread::sleep_until(due);
  }
  m_frameStart = Clock::now();
}

}  // namespace Basalt
