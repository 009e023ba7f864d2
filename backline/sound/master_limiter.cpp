#include "backline/sound/master_limiter.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// A lowered gain stays for a whole cycle of a 50 Hz tone, so that a steady
// loud sound is turned down steadily (its peaks keep renewing the hold) and
// not in step with its own waveform; then it comes back up in decibels with a
// time constant of 50 ms.
constexpr int kHoldFrames = MasterLimiter::kRate / 50;
constexpr double kReleaseSeconds = 0.05;
// A held gain this close to 1 is 1: the release would otherwise creep towards
// it for ever in float steps too small to land.
constexpr double kReleaseSnap = 1.0 - 1.0 / (1 << 20);
// The release starts from at least this (-120 dB): a gain of 0, which only an
// infinite sample asks for, would otherwise never come back.
constexpr double kReleaseFloor = 1e-6;

// The gain that brings the frame's peak to the ceiling, rounded so that the
// product does not land a step above it.
float Requirement(float left, float right) {
  const float peak = std::max(std::fabs(left), std::fabs(right));
  if (!(peak > MasterLimiter::kCeiling)) return 1.0f;
  const float requirement = MasterLimiter::kCeiling / peak;
  return peak * requirement > MasterLimiter::kCeiling ? std::nextafter(requirement, 0.0f) : requirement;
}

}  // namespace

MasterLimiter::MasterLimiter() : m_releaseExponent(std::exp(-1.0 / (kReleaseSeconds * kRate))) {
  std::fill(std::begin(m_requirement), std::end(m_requirement), 1.0f);
  std::fill(std::begin(m_heldHistory), std::end(m_heldHistory), 1.0f);
}

void MasterLimiter::Process(float* stereo, int frames) {
  if (Idle() && Peak(stereo, frames) <= kCeiling) {
    Delay(stereo, frames);
    return;
  }
  for (int frame = 0; frame < frames; ++frame, stereo += 2) {
    // The new frame takes the place of the one that left last time; the
    // oldest of the ring, kLookaheadFrames before it, leaves now.
    m_next = Following(m_next);
    m_delayed[m_next][0] = stereo[0];
    m_delayed[m_next][1] = stereo[1];
    m_requirement[m_next] = Requirement(stereo[0], stereo[1]);
    const int oldest = Following(m_next);
    const float gain = NextGain(m_requirement[m_next], m_requirement[oldest]);
    stereo[0] = m_delayed[oldest][0] * gain;
    stereo[1] = m_delayed[oldest][1] * gain;
  }
}

bool MasterLimiter::Idle() const {
  return m_held == 1.0 && m_heldBelowOne == 0 && (m_minCount == 0 || m_minValue[m_minHead] == 1.0f);
}

float MasterLimiter::Peak(const float* stereo, int frames) {
  float peak = 0.0f;
  for (int i = 0; i < 2 * frames; ++i) peak = std::max(peak, std::fabs(stereo[i]));
  return peak;
}

void MasterLimiter::Delay(float* stereo, int frames) {
  for (int frame = 0; frame < frames; ++frame, stereo += 2) {
    m_next = Following(m_next);
    m_delayed[m_next][0] = stereo[0];
    m_delayed[m_next][1] = stereo[1];
    const int oldest = Following(m_next);
    stereo[0] = m_delayed[oldest][0];
    stereo[1] = m_delayed[oldest][1];
  }
  // As the frames would have left it: every requirement 1, the newest the
  // window's smallest, the hold running down.
  m_frame += static_cast<unsigned>(frames);
  m_minHead = 0;
  m_minCount = 1;
  m_minValue[0] = 1.0f;
  m_minFrame[0] = m_frame;
  m_holdLeft = std::max(0, m_holdLeft - frames);
}

float MasterLimiter::NextGain(float requirement, float leaving) {
  const float hold = WindowMinimum(requirement);
  if (hold < m_held) {
    m_held = hold;
    m_holdLeft = kHoldFrames;
  } else if (m_holdLeft > 0) {
    --m_holdLeft;
  } else if (m_held < 1.0) {
    const double released = std::pow(std::max(m_held, kReleaseFloor), m_releaseExponent);
    m_held = std::min<double>(hold, released >= kReleaseSnap ? 1.0 : released);
  }
  return std::min(MeanGain(static_cast<float>(m_held)), leaving);
}

float MasterLimiter::WindowMinimum(float requirement) {
  ++m_frame;
  // Values not below the new one can never be the smallest again.
  while (m_minCount > 0) {
    const int back = (m_minHead + m_minCount - 1) % kWindow;
    if (m_minValue[back] < requirement) break;
    --m_minCount;
  }
  const int slot = (m_minHead + m_minCount) % kWindow;
  m_minValue[slot] = requirement;
  m_minFrame[slot] = m_frame;
  ++m_minCount;
  // Frames older than the delay have left it.
  while (m_frame - m_minFrame[m_minHead] >= static_cast<unsigned>(kWindow)) {
    m_minHead = (m_minHead + 1) % kWindow;
    --m_minCount;
  }
  return m_minValue[m_minHead];
}

float MasterLimiter::MeanGain(float held) {
  float& oldest = m_heldHistory[m_historyNext];
  m_heldBelowOne += (held < 1.0f) - (oldest < 1.0f);
  m_heldSum += static_cast<double>(held) - oldest;
  oldest = held;
  m_historyNext = Following(m_historyNext);
  if (m_heldBelowOne == 0) {
    m_heldSum = kWindow;  // no rounding left over once the gain is back at 1
    return 1.0f;
  }
  return static_cast<float>(m_heldSum / kWindow);
}
