#pragma once

namespace Basalt {

// Measures frames from the platform's 32-bit millisecond tick: the time key
// (the last frame's length in seconds, 0 on the first frame, never above
// 0.1) and the frame rate over each accumulated second of time keys.
class FrameClock {
 public:
  static constexpr float kMaxTimeKey = 0.1f;

  // Called once per frame with the current tick; a tick that wrapped since
  // the last frame still gives the true, small difference.
  void Tick(unsigned nowMs);
  float TimeKey() const { return m_timeKey; }
  unsigned FramesPerSecond() const { return m_fps; }

 private:
  bool m_hasLastTick = false;
  unsigned m_lastTick = 0;
  float m_timeKey = 0.0f;
  unsigned m_fps = 0;
  unsigned m_frames = 0;
  float m_accumulator = 0.0f;
};

}  // namespace Basalt
