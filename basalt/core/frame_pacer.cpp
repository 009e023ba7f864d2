#include "basalt/core/frame_pacer.h"

#include <thread>

namespace Basalt {

void FramePacer::Wait(int maxFps) {
  if (maxFps > 0) {
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / maxFps;
    const Clock::time_point due = m_frameStart + period;
    if (Clock::now() < due) std::this_thread::sleep_until(due);
  }
  m_frameStart = Clock::now();
}

}  // namespace Basalt
