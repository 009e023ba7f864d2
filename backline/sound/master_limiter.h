#pragma once
// The master bus's limiter: the voices are summed in float with room above
// full scale, and this brings every peak of the sum under kCeiling by turning
// the gain of both channels down together, smoothly and ahead of time, instead
// of cutting the waveform off. A sum that stays under the ceiling passes
// unchanged (the gain is exactly 1); a lone full-scale strike is touched only
// at its very peak, by at most 20 log10(kCeiling) dB.
//
// How: each frame's required gain is kCeiling over its peak (1 under the
// ceiling). The gain of a frame is the smallest requirement within the next
// kLookaheadFrames frames, held for 20 ms and then recovering towards 1 in
// decibels with a 50 ms time constant, and averaged over kLookaheadFrames +
// 1 frames: so it starts to fall one
// lookahead before a peak, reaches the peak's requirement exactly on it, and
// never exceeds any frame's requirement. No frame's output passes the
// ceiling, and the waveform is scaled, never cut: a pile-up of strikes keeps
// its shape, only quieter. The price is a delay of kLookaheadFrames frames,
// which the voice engine takes out of its notes' fixed delay.
//
// Owned by the voice engine; Process runs on the audio thread (or the thread
// that renders without a device), never allocates, locks or blocks. Its state
// is that thread's alone.
class MasterLimiter {
 public:
  static constexpr int kLookaheadFrames = 48;  // 1 ms at 48 kHz
  static constexpr float kCeiling = 0.995f;    // -0.04 dBFS
  static constexpr int kRate = 48000;

  MasterLimiter();

  // Limits frames interleaved stereo frames in place; what comes out is the
  // input of kLookaheadFrames frames before (silence at first).
  void Process(float* stereo, int frames);

 private:
  static constexpr int kWindow = kLookaheadFrames + 1;

  static int Following(int slot) { return slot == kWindow - 1 ? 0 : slot + 1; }
  // The largest magnitude of frames stereo frames.
  static float Peak(const float* stereo, int frames);
  // Whether the gain is 1 and nothing in the delay asks for less.
  bool Idle() const;
  // What an idle limiter does to frames that stay under the ceiling: delays them.
  void Delay(float* stereo, int frames);
  // Takes in the requirement of the new frame; returns the gain of the frame
  // that leaves the delay, whose own requirement is leaving.
  float NextGain(float requirement, float leaving);
  // The smallest requirement of the frames in the delay, the new one included.
  float WindowMinimum(float requirement);
  // The held gain's mean over the last kWindow frames, with held taken in.
  float MeanGain(float held);

  // The frames in the delay and their requirements, as a ring of kWindow.
  float m_delayed[kWindow][2] = {};
  float m_requirement[kWindow];
  int m_next = 0;  // the newest frame's place
  // The smallest requirement of the delay, as a queue of ascending values:
  // each the smallest of the frames from it on (frame numbers mod 2^32).
  float m_minValue[kWindow];
  unsigned m_minFrame[kWindow] = {};
  int m_minHead = 0;
  int m_minCount = 0;
  unsigned m_frame = 0;  // frames taken in
  // The held gain with its hold and release, and its running mean over kWindow frames.
  double m_held = 1.0;  // double: the last steps of the release are finer than a float's
  int m_holdLeft = 0;  // frames before the held gain may rise
  float m_heldHistory[kWindow];
  int m_historyNext = 0;
  double m_heldSum = kWindow;
  int m_heldBelowOne = 0;  // how many of the history are below 1 (none: the mean is exactly 1)
  double m_releaseExponent;  // the held gain rises to its own power of this each frame
};
