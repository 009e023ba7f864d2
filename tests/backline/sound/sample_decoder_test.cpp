#include "backline/sound/sample_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "backline/sound/wave_file.h"
#include "basalt/fs/path.h"

namespace {

const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";

std::vector<float> DecodeFile(const std::string& name, uint32_t* rate, std::vector<uint8_t>* data) {
  WaveFile wave;
  std::vector<float> samples;
  EXPECT_EQ(wave.Open((kToneDir + name).c_str()), WaveFile::kOk) << name;
  if (!wave.GetFormat()) return samples;
  data->resize(wave.GetSize());
  uint32_t read = 0;
  EXPECT_EQ(wave.Read(data->data(), wave.GetSize(), &read), WaveFile::kOk) << name;
  EXPECT_TRUE(DecodeToMono(*wave.GetFormat(), data->data(), read, &samples)) << name;
  *rate = wave.GetFormat()->samplesPerSec;
  return samples;
}

// Each decodable test file holds 50 ms of a 440 Hz sine (at various levels;
// the 44.1 kHz stereo file has another tone on the right, see below): a wrong
// sign convention, width or byte order shows as an offset, a level out of
// range or the wrong number of zero crossings.
TEST(SampleDecoderTest, EveryPlayableToneDecodesToA440HzSine) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  for (const char* name : {"tone_u8_mono_22k.wav", "tone_s16_mono_48k.wav", "tone_s16_listchunk_48k.wav",
                           "tone_s16_quad_48k.wav", "tone_s24_mono_48k.wav",
                           "tone_s32_stereo_96k.wav", "tone_f32_mono_48k.wav", "tone_f64_mono_48k.wav"}) {
    uint32_t rate = 0;
    std::vector<uint8_t> data;
    const std::vector<float> samples = DecodeFile(name, &rate, &data);
    ASSERT_NEAR(static_cast<double>(samples.size()), 0.05 * rate, 1.0) << name;
    double sum = 0.0;
    float peak = 0.0f;
    int crossings = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
      sum += samples[i];
      peak = std::max(peak, std::fabs(samples[i]));
      if (i > 0 && (samples[i - 1] < 0.0f) != (samples[i] < 0.0f)) ++crossings;
    }
    EXPECT_LT(std::fabs(sum / static_cast<double>(samples.size())), 0.02) << name;
    EXPECT_GT(peak, 0.5f) << name;
    EXPECT_LE(peak, 1.0f) << name;
    EXPECT_NEAR(crossings, 44, 2) << name;  // two per cycle, 22 cycles
  }
}

TEST(SampleDecoderTest, A16BitFileDecodesToItsExactSamplesAndStereoToTheirMean) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  const auto raw = [](const std::vector<uint8_t>& data, size_t index) {
    return static_cast<int16_t>(data[2 * index] | data[2 * index + 1] << 8) / 32768.0f;
  };
  uint32_t rate = 0;
  std::vector<uint8_t> data;
  const std::vector<float> mono = DecodeFile("tone_s16_mono_48k.wav", &rate, &data);
  ASSERT_EQ(mono.size() * 2, data.size());
  for (size_t i = 0; i < mono.size(); ++i) ASSERT_EQ(mono[i], raw(data, i)) << i;
  const std::vector<float> stereo = DecodeFile("tone_s16_stereo_44k.wav", &rate, &data);
  ASSERT_EQ(stereo.size() * 4, data.size());
  for (size_t i = 0; i < stereo.size(); ++i)
    ASSERT_FLOAT_EQ(stereo[i], (raw(data, 2 * i) + raw(data, 2 * i + 1)) / 2) << i;
}

TEST(SampleDecoderTest, RefusesCompressedAndAbsurdFormatsAndLeavesTheOutputAlone) {
  struct Case {
    uint16_t tag, channels;
    uint32_t rate;
    uint16_t bits, blockAlign;
  };
  const Case refused[] = {{2, 1, 44100, 4, 2},   {6, 1, 8000, 8, 1},    {1, 1, 44100, 12, 1}, {3, 1, 44100, 16, 2},
                          {1, 0, 44100, 16, 0},  {1, 33, 44100, 16, 66}, {1, 1, 0, 16, 2},     {1, 1, 4000000, 16, 2},
                          {1, 2, 44100, 16, 3},  {0xFFFE, 1, 48000, 16, 2}};
  const uint8_t bytes[8] = {};
  for (const Case& c : refused) {
    WaveFormat format;
    format.formatTag = c.tag;
    format.channels = c.channels;
    format.samplesPerSec = c.rate;
    format.bitsPerSample = c.bits;
    format.blockAlign = c.blockAlign;
    std::vector<float> untouched = {0.5f};
    EXPECT_FALSE(DecodeToMono(format, bytes, sizeof bytes, &untouched)) << c.tag << " " << c.channels;
    EXPECT_EQ(untouched, std::vector<float>{0.5f});
  }
}

}  // namespace
