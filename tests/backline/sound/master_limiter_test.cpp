#include "backline/sound/master_limiter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kDelay = MasterLimiter::kLookaheadFrames;
constexpr int kRate = 48000;

// Runs stereo (interleaved) through a fresh limiter in blocks of uneven sizes.
std::vector<float> Limit(std::vector<float> stereo) {
  MasterLimiter limiter;
  const int frames = static_cast<int>(stereo.size() / 2);
  std::minstd_rand random(3);
  for (int first = 0; first < frames;) {
    const int block = std::min(frames - first, 1 + static_cast<int>(random() % 600));
    limiter.Process(stereo.data() + 2 * first, block);
    first += block;
  }
  return stereo;
}

// A 440 Hz sine on the left, 660 Hz on the right, at a level per frame.
template <typename Level>
std::vector<float> Tones(int frames, Level level) {
  std::vector<float> stereo(2 * static_cast<size_t>(frames));
  for (int frame = 0; frame < frames; ++frame) {
    const double t = static_cast<double>(frame) / kRate;
    stereo[2 * frame] = static_cast<float>(level(frame) * std::sin(2 * M_PI * 440 * t));
    stereo[2 * frame + 1] = static_cast<float>(level(frame) * std::sin(2 * M_PI * 660 * t + 1.0));
  }
  return stereo;
}

TEST(MasterLimiterTest, UnderTheCeilingEverySamplePassesExactlyOneLookaheadLate) {
  std::minstd_rand random(9);
  std::uniform_real_distribution<float> level(-MasterLimiter::kCeiling, MasterLimiter::kCeiling);
  std::vector<float> in(2 * 20000);
  for (float& sample : in) sample = level(random);
  in[1000] = MasterLimiter::kCeiling;  // the ceiling itself passes too
  const std::vector<float> out = Limit(in);
  for (size_t i = 0; i < 2 * kDelay; ++i) EXPECT_EQ(out[i], 0.0f) << i;
  for (size_t i = 2 * kDelay; i < out.size(); ++i) ASSERT_EQ(out[i], in[i - 2 * kDelay]) << i;
}

// Sixteen times full scale for 100 ms between two quiet stretches: the gain
// starts to fall one lookahead before the loud part, keeps every sample
// under the ceiling while scaling the waveform smoothly (no gain step), and
// is back at exactly 1 within a second, the quiet part then passing untouched.
TEST(MasterLimiterTest, APileUpIsTurnedDownAheadOfItsPeaksAndLetGoAfterIt) {
  const int loudFrom = kRate / 5, loudTo = loudFrom + kRate / 10, frames = loudTo + 2 * kRate;
  const std::vector<float> in = Tones(frames, [&](int frame) { return frame >= loudFrom && frame < loudTo ? 16.0 : 0.5; });
  const std::vector<float> out = Limit(in);
  const auto gain = [&](int frame) {  // the gain applied to input frame `frame`, from its louder side
    const size_t at = 2 * static_cast<size_t>(frame);
    const size_t side = std::fabs(in[at]) > std::fabs(in[at + 1]) ? 0 : 1;
    return out[at + 2 * kDelay + side] / in[at + side];
  };
  for (size_t i = 0; i < 2 * static_cast<size_t>(frames - kDelay); ++i)
    ASSERT_LE(std::fabs(out[i]), MasterLimiter::kCeiling) << i;
  EXPECT_EQ(gain(loudFrom - kDelay - 2), 1.0f);  // before the lookahead saw it
  EXPECT_LT(gain(loudFrom - 2), 0.9f);           // already well on the way down
  float previous = gain(loudFrom + 200);
  EXPECT_NEAR(previous, MasterLimiter::kCeiling / 16, 0.01);
  for (int frame = loudFrom + 201; frame < loudTo - kDelay; ++frame) {
    if (std::fabs(in[2 * static_cast<size_t>(frame)]) < 0.5f) continue;  // the ratio is noisy near zero
    const float now = gain(frame);
    ASSERT_NEAR(now, previous, 0.002f) << frame;
    previous = now;
  }
  for (int frame = loudTo + kRate; frame < frames - kDelay; ++frame)
    ASSERT_EQ(out[2 * static_cast<size_t>(frame + kDelay)], in[2 * static_cast<size_t>(frame)]) << frame;
}

}  // namespace
