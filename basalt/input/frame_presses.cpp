#include "basalt/input/frame_presses.h"

#include <algorithm>
#include <utility>

namespace Basalt {

void FramePresses::Add(const InputEvent& press) {
  if (m_pendingCount < kCapacity) m_pending[static_cast<size_t>(m_pendingCount++)] = press;
}

// Stable: keys keep their order among themselves and so do the controllers'
// events, each already sorted by time.
void FramePresses::Publish() {
  std::stable_sort(m_pending.begin(), m_pending.begin() + m_pendingCount,
                   [](const InputEvent& a, const InputEvent& b) { return a.time < b.time; });
  std::copy(m_pending.begin(), m_pending.begin() + m_pendingCount, m_frame.begin());
  m_frameCount = std::exchange(m_pendingCount, 0);
}

}  // namespace Basalt
