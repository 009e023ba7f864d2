// What the real program hands its audio device, headless: a stereo sample's
// two sides, and a pile-up of full-scale strikes under the master limiter.
// The pads play real files (sox's tones), the loud one raised to peak at
// exactly 0 dBFS.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "backline/common/app_cvars.h"
#include "backline/scene/drum_set.h"
#include "backline/sound/master_limiter.h"
#include "tests/support/app_harness.h"
#include "tests/support/full_scale_sample.h"

namespace {

const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";
const char kStereoTone[] = "SampleBank/Other/tone stereo.wav";  // 440 Hz left, 660 Hz right
const char kFullScaleTone[] = "SampleBank/Other/tone full scale.wav";

class SoundTest : public test::AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    if (!std::filesystem::exists(kToneDir)) {
      GTEST_SKIP() << "no test data at " << kToneDir;
    }
    test::WriteFile("rmd.dat", "n");
    test::WriteFile("settings.cfg", "g_freqVariation = 0\n");
    std::filesystem::copy_file(kToneDir + "tone_s16_stereo_44k.wav", kStereoTone);
    test::WriteFullScaleSample(kToneDir + "tone_s24_mono_48k.wav", kFullScaleTone);
  }
  // Every pad of both kits plays path at full volume, none is a modifier.
  static void PutOnEveryPad(AppView& app, const char* path) {
    std::string stored = path;
    std::replace(stored.begin(), stored.end(), '/', '\\');
    const int sample = FindSampleByPath(app.bank, stored.c_str());
    ASSERT_GE(sample, 0) << stored;
    for (int slot = 0; slot < kPadSlots; ++slot) {
      AssignPadSample(&app.instrument.pads, app.bank, slot, PrimarySample, sample);
      app.instrument.pads.function[slot] = NormalFunction;
      app.instrument.volumes.Set(slot, 1.0f);
    }
    app.mode = FreePlay;
  }
  // Waits (in a frame callback) until frames of output have been kept.
  static void WaitForOutput(size_t frames) {
    for (int tick = 0; tick < 1000 && HeardFrames() < frames; ++tick) SDL_Delay(5);
  }
  static int ZeroCrossings(const std::vector<float>& samples, size_t from, size_t count) {
    int crossings = 0;
    for (size_t i = from + 1; i < from + count && i < samples.size(); ++i)
      crossings += (samples[i - 1] < 0.0f) != (samples[i] < 0.0f);
    return crossings;
  }
  static size_t FirstAudible(const std::vector<float>& samples) {
    return static_cast<size_t>(std::find_if(samples.begin(), samples.end(), [](float v) { return v != 0.0f; }) -
                               samples.begin());
  }
};

TEST_F(SoundTest, AStereoSamplesTwoChannelsArriveDistinct) {
  SDL_Joystick* kit = AttachKit();
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      PutOnEveryPad(app, kStereoTone);
      ListenToOutput(0.5);  // from now: however long start-up took, the strike is near the start
      SetButton(kit, 1, true);
    }
    if (frame == 1) WaitForOutput(24000);
    return frame < 1;
  });
  const std::vector<float>& left = Heard();
  const std::vector<float>& right = HeardRight();
  const size_t onset = FirstAudible(left);
  ASSERT_LT(onset + 2400, left.size());
  EXPECT_NEAR(ZeroCrossings(left, onset, 2400), 44, 2);   // 440 Hz for 50 ms
  EXPECT_NEAR(ZeroCrossings(right, onset, 2400), 66, 2);  // 660 Hz
  EXPECT_NE(left, right);
}

// Two kits, each pad struck twice in the same instant: twenty voices of a
// 0 dBFS tone at once, twenty times full scale, reach the device under full
// scale, loud, and with their waveform scaled, never flattened.
TEST_F(SoundTest, TwentySimultaneousFullVolumeStrikesOfA0dBFSSampleNeverReachFullScale) {
  SDL_Joystick* kits[] = {AttachKit(), AttachKit()};
  Run([&](AppView& app, int frame) {
    if (frame == 0) {
      RecordPlayedSounds();
      PutOnEveryPad(app, kFullScaleTone);
    }
    if (frame == 1) {
      ListenToOutput(0.5);
      for (SDL_Joystick* kit : kits)
        for (int button = 0; button < 5; ++button)
          for (int strike = 0; strike < 2; ++strike) {
            SetButton(kit, button, true);
            SetButton(kit, button, false);
          }
    }
    if (frame == 2) WaitForOutput(24000);
    return frame < 2;
  });
  ASSERT_EQ(s_played.size(), 20u);
  for (const std::vector<float>* side : {&Heard(), &HeardRight()}) {
    float peak = 0.0f;
    for (size_t i = 0; i < side->size(); ++i) {
      const float sample = (*side)[i];
      ASSERT_LE(std::fabs(sample), MasterLimiter::kCeiling) << i;
      peak = std::max(peak, std::fabs(sample));
      if (i > 0 && std::fabs(sample) > 0.5f) {
        ASSERT_NE(sample, (*side)[i - 1]) << "flat at " << i;
      }
    }
    EXPECT_GT(peak, 0.9f);
  }
}

}  // namespace
