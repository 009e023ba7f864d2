#include "basalt/core/frame_clock.h"

namespace Basalt {

void FrameClock::Tick(unsigned nowMs) {
  m_timeKey = m_hasLastTick ? static_cast<float>(nowMs - m_lastTick) * 0.001f : 0.0f;
  m_lastTick = nowMs;
  m_hasLastTick = true;
  if (m_timeKey > kMaxTimeKey) m_timeKey = kMaxTimeKey;
  ++m_frames;
  if (m_timeKey > 0.0f) m_accumulator += m_timeKey;
  if (m_accumulator >= 1.0f) {
    m_fps = m_frames;
    m_frames = 0;
    m_accumulator -= 1.0f;
  }
}

}  // namespace Basalt
