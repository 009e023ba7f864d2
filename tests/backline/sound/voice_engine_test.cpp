#include "backline/sound/voice_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backline/app/app_cvars.h"
#include "basalt/fs/path.h"
#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/engine_fixture.h"

namespace {

constexpr int kChannels = 2;

class VoiceEngineTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    m_savedVariation = g_freqVariation;
    g_freqVariation = 0;
  }
  void TearDown() override {
    g_freqVariation = m_savedVariation;
    EngineFixture::TearDown();
  }
  // Loads a mono 16-bit file of the given samples into slot.
  void Load(int slot, const std::vector<int16_t>& samples, uint32_t rate = 48000) {
    test::WriteFile("sample.wav", test::Pcm16Wav(samples, rate));
    ASSERT_TRUE(engine.LoadSample(slot, "sample.wav"));
  }
  // The left channel of the next frames frames (the right one must match it).
  std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<size_t>(frames) * kChannels, 99.0f);
    engine.Render(out.data(), frames, kChannels);
    std::vector<float> left;
    for (int frame = 0; frame < frames; ++frame) {
      EXPECT_EQ(out[2 * frame], out[2 * frame + 1]);
      left.push_back(out[2 * frame]);
    }
    return left;
  }
  int Audible(const std::vector<float>& samples) {
    int count = 0;
    for (float sample : samples) count += sample != 0.0f;
    return count;
  }

  VoiceEngine engine;

 private:
  int m_savedVariation = 0;
};

TEST_F(VoiceEngineTest, AHitPlaysTheSampleOnceAtRatioTimes1Point2TimesVolume) {
  Load(4, {16384, -8192, 4096, 32767});
  EXPECT_EQ(Audible(Render(8)), 0);  // loaded, not hit
  ASSERT_TRUE(engine.PlaySample(4, 0.5f));
  const std::vector<float> out = Render(8);
  const std::vector<float> expected = {0.3f, -0.15f, 0.075f, 0.6f * 32767 / 32768, 0, 0, 0, 0};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
  EXPECT_FLOAT_EQ(engine.GetVoice(4 * 5).volume, 0.6f);
}

TEST_F(VoiceEngineTest, TheFileRateAndThePitchRatioSetThePlayedLength) {
  Load(0, std::vector<int16_t>(1000, 1000), 24000);
  engine.PlaySample(0, 1.0f);
  EXPECT_EQ(Audible(Render(4000)), 2000);

  g_freqVariation = 1;  // ratio 1 - 1/2000, always
  Load(1, std::vector<int16_t>(48000, 1000));
  engine.PlaySample(1, 1.0f);
  EXPECT_FLOAT_EQ(engine.GetVoice(5).frequencyRatio, 0.9995f);
  EXPECT_FLOAT_EQ(engine.GetVoice(5).volume, 0.9995f * 1.2f);
  EXPECT_EQ(Audible(Render(50000)), 48025);  // 48000 / 0.9995, rounded up

  g_freqVariation = 30;
  for (int hit = 0; hit < 40; ++hit) {
    engine.PlaySample(1, 1.0f);
    const float ratio = engine.GetVoice(5).frequencyRatio;
    EXPECT_GE(ratio, 0.985f - 1e-6f);
    EXPECT_LT(ratio, 1.015f);
  }
}

TEST_F(VoiceEngineTest, AVoiceIsPlayingOnceMixedAndReadyAgainAfterUpdateSoundSeesItEnd) {
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kNone);
  Load(0, std::vector<int16_t>(100, 1000));
  for (int record = 0; record < 5; ++record) EXPECT_EQ(engine.GetVoice(record).state, VoiceEngine::kReady);
  engine.PlaySample(0, 1.0f);
  engine.PlaySample(0, 1.0f);  // the same frame: the same voice
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kReady);
  Render(50);
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kPlaying);
  EXPECT_EQ(engine.GetVoice(1).state, VoiceEngine::kReady);
  engine.UpdateSound();
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kPlaying);  // still sounding
  Render(50);
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kPlaying);
  engine.UpdateSound();
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kReady);
  EXPECT_EQ(Audible(Render(200)), 0);  // stopped: not replayed
}

TEST_F(VoiceEngineTest, ASixthHitRestartsOneOfTheFiveAtItsPlainVolume) {
  Load(2, std::vector<int16_t>(1000, 3277));  // 0.1
  for (int hit = 0; hit < 5; ++hit) {
    engine.PlaySample(2, 1.0f);
    Render(10);
  }
  for (int record = 10; record < 15; ++record) EXPECT_EQ(engine.GetVoice(record).state, VoiceEngine::kPlaying);
  engine.PlaySample(2, 0.25f);
  int stolen = -1;
  for (int record = 10; record < 15; ++record)
    if (engine.GetVoice(record).state == VoiceEngine::kReady) stolen = record;
  ASSERT_NE(stolen, -1);
  EXPECT_FLOAT_EQ(engine.GetVoice(stolen).volume, 0.25f);
  EXPECT_FLOAT_EQ(engine.GetVoice(stolen).frequencyRatio, 1.0f);
  const float one = 3277 / 32768.0f;
  EXPECT_FLOAT_EQ(Render(1)[0], one * (4 * 1.2f + 0.25f));
  // The restarted voice sounds on alone for as long as it was cut short.
  const std::vector<float> tail = Render(1000);
  EXPECT_FLOAT_EQ(tail[998], one * 0.25f);
  EXPECT_EQ(Audible(tail), 999);
}

TEST_F(VoiceEngineTest, AnEmptyOrStoppedSlotReturnsFalseAndStaysSilent) {
  EXPECT_FALSE(engine.PlaySample(3, 1.0f));
  EXPECT_FALSE(engine.PlaySample(-1, 1.0f));
  EXPECT_FALSE(engine.PlaySample(VoiceEngine::kSoundSlots, 1.0f));
  Load(3, std::vector<int16_t>(1000, 1000));
  engine.PlaySample(3, 1.0f);
  EXPECT_EQ(Audible(Render(100)), 100);
  engine.StopSample(3);
  EXPECT_EQ(Audible(Render(100)), 0);
  EXPECT_FALSE(engine.PlaySample(3, 1.0f));
  EXPECT_FALSE(engine.GetVoice(15).hasVoice);
  EXPECT_EQ(LogText(), "");
}

TEST_F(VoiceEngineTest, ReloadingReplacesTheSampleAndAFailedLoadLeavesTheSlotSilent) {
  Load(0, {1000, 1000});
  Load(0, {2000});
  engine.PlaySample(0, 1.0f / 1.2f);
  EXPECT_EQ(Render(3), (std::vector<float>{2000 / 32768.0f, 0, 0}));
  EXPECT_FALSE(engine.LoadSample(0, "missing.wav"));
  EXPECT_FALSE(engine.PlaySample(0, 1.0f));
  test::WriteFile("cut.wav", test::Pcm16Wav({1, 2, 3, 4}, 48000).substr(0, 48));
  EXPECT_FALSE(engine.LoadSample(0, "cut.wav"));
  EXPECT_FALSE(engine.LoadSample(0, nullptr));
  EXPECT_EQ(LogText(), "Failed to read WAV file missing.wav\nFailed to read WAV file cut.wav\n"
                       "Failed to read WAV file (null)\n");
}

TEST_F(VoiceEngineTest, EveryTestFileLoadsOrIsRefusedWithTheSourceVoiceLine) {
  const std::string dir = std::string(PADLARK_TESTDATA_DIR) + "/wav";
  if (!Basalt::PathExists(dir.c_str())) GTEST_SKIP() << "no test data at " << dir;
  std::string refused;
  for (const std::string& name : Basalt::ListDirectory(dir.c_str(), "wav")) {
    const bool compressed = name.find("adpcm") != std::string::npos || name.find("alaw") != std::string::npos;
    EXPECT_EQ(engine.LoadSample(0, (dir + "/" + name).c_str()), !compressed) << name;
    EXPECT_EQ(engine.PlaySample(0, 1.0f), !compressed) << name;
    EXPECT_EQ(Audible(Render(4800)) > 1000, !compressed) << name;
  }
  EXPECT_EQ(LogText(), "Failed to create source voice: 6\nFailed to create source voice: 17\n"
                       "Failed to create source voice: 2\n");
}

}  // namespace
