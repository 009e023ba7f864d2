#include "backline/sound/sample_decoder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "basalt/fs/path.h"
#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/engine_fixture.h"

namespace {

using test::Chunk;
using test::FmtHead;
using test::Le16;
using test::Le32;
using test::Riff;

const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";
const std::string kOurTones = std::string(PADLARK_SOUND_DATA_DIR) + "/";

class SampleDecoderTest : public test::EngineFixture {
 protected:
  // The decoded samples of the file; fails the test when it is refused.
  static std::vector<float> Decode(const std::string& path, int* channels = nullptr) {
    DecodedSample sample;
    EXPECT_TRUE(DecodeSampleFile(path.c_str(), &sample)) << path;
    if (channels) *channels = sample.channels;
    return sample.samples;
  }
  // One channel of interleaved samples.
  static std::vector<float> Channel(const std::vector<float>& samples, int channels, int channel) {
    std::vector<float> one;
    for (size_t i = static_cast<size_t>(channel); i < samples.size(); i += static_cast<size_t>(channels))
      one.push_back(samples[i]);
    return one;
  }
  static int ZeroCrossings(const std::vector<float>& samples) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) crossings += (samples[i - 1] < 0.0f) != (samples[i] < 0.0f);
    return crossings;
  }
  static std::vector<float> DecodeBytes(const std::string& bytes) {
    test::WriteFile("sample.wav", bytes);
    return Decode("sample.wav");
  }
  // The bytes of a file's "data" chunk (the shared tones have a plain layout).
  static std::string DataOf(const std::string& path) {
    const std::string file = test::ReadFile(path);
    const size_t data = file.find("data", 12);
    return file.substr(data + 8, file.size() - data - 8);
  }
};

// Each test tone holds 50 ms of a 440 Hz sine (at various levels; the 44.1
// kHz stereo file has a 660 Hz tone on the right, see the next test), at 8 to
// 96 kHz: every one arrives at 48 kHz, 2400 frames long, still at 440 Hz. A
// wrong sign convention, width, byte order or rate shows as an offset, a
// level out of range, a length or the wrong number of zero crossings. The
// compressed ones (mu-law, A-law, IMA and MS ADPCM) decode as well as the PCM
// and float ones.
TEST_F(SampleDecoderTest, EveryTestToneDecodesToA440HzSineAt48kHz) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  std::vector<std::string> paths = {kOurTones + "tone_ulaw_mono_8k.wav"};
  for (const std::string& name : Basalt::ListDirectory(kToneDir.c_str(), "wav")) paths.push_back(kToneDir + name);
  ASSERT_EQ(paths.size(), 13u);
  constexpr size_t kTone = 2400;  // 50 ms at 48 kHz
  for (const std::string& path : paths) {
    int channels = 0;
    const std::vector<float> samples = Decode(path, &channels);
    const std::vector<float> left = Channel(samples, channels, 0);
    const std::string name = std::filesystem::path(path).filename();
    const bool stereo = name.find("stereo") != std::string::npos || name.find("quad") != std::string::npos;
    EXPECT_EQ(channels, stereo ? 2 : 1) << path;
    // ADPCM fills its last block: up to a block (2048 frames at 44.1 kHz) more than 50 ms.
    const bool adpcm = path.find("adpcm") != std::string::npos;
    ASSERT_GE(left.size() + 1, kTone) << path;
    ASSERT_LE(left.size(), kTone + (adpcm ? 2230 : 1)) << path;
    const std::vector<float> tone(left.begin(), left.begin() + kTone);
    double sum = 0.0;
    float peak = 0.0f;
    for (float sample : tone) {
      sum += sample;
      peak = std::max(peak, std::fabs(sample));
    }
    EXPECT_LT(std::fabs(sum / static_cast<double>(kTone)), 0.02) << path;
    EXPECT_GT(peak, 0.5f) << path;
    EXPECT_LE(peak, 1.0f) << path;
    EXPECT_NEAR(ZeroCrossings(tone), 44, 2) << path;  // two per cycle, 22 cycles
  }
  EXPECT_EQ(LogText(), "");
}

TEST_F(SampleDecoderTest, A48kHzFileDecodesToItsExactSamplesAndAStereoFileKeepsItsTwoSides) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  const auto raw = [](const std::string& data, size_t index) {
    return static_cast<int16_t>(static_cast<uint8_t>(data[2 * index]) | static_cast<uint8_t>(data[2 * index + 1]) << 8) /
           32768.0f;
  };
  const std::string data = DataOf(kToneDir + "tone_s16_mono_48k.wav");
  int channels = 0;
  const std::vector<float> mono = Decode(kToneDir + "tone_s16_mono_48k.wav", &channels);
  EXPECT_EQ(channels, 1);
  ASSERT_EQ(mono.size() * 2, data.size());
  for (size_t i = 0; i < mono.size(); ++i) ASSERT_EQ(mono[i], raw(data, i)) << i;

  // 440 Hz on the left, 660 Hz on the right, at 44.1 kHz: both arrive at 48 kHz, apart.
  const std::vector<float> stereo = Decode(kToneDir + "tone_s16_stereo_44k.wav", &channels);
  ASSERT_EQ(channels, 2);
  const std::vector<float> left = Channel(stereo, 2, 0), right = Channel(stereo, 2, 1);
  EXPECT_NEAR(static_cast<double>(left.size()), 2400.0, 1.0);
  EXPECT_NEAR(ZeroCrossings(left), 44, 2);
  EXPECT_NEAR(ZeroCrossings(right), 66, 2);
}

TEST_F(SampleDecoderTest, OddChunkLayoutsAndExtraFormatBytesAreRead) {
  const std::string fmt = Chunk("fmt ", FmtHead(1, 1, 48000, 16));
  const std::string twoSamples = Le16(16384) + Le16(0xC000);
  const std::vector<float> expected = {0.5f, -0.5f};
  EXPECT_EQ(DecodeBytes(Riff(Chunk("LIST", "odd") + fmt + Chunk("junk", "x") + Chunk("data", twoSamples))), expected);
  EXPECT_EQ(DecodeBytes(Riff(fmt + Chunk("data", twoSamples) + Chunk("LIST", "odd"))), expected);
  // A float file whose format chunk carries three extra bytes, with a fact chunk.
  const char floats[] = "\x00\x00\x80\x3f\x00\x00\x00\xbf";  // 1.0, -0.5
  EXPECT_EQ(DecodeBytes(Riff(Chunk("fmt ", FmtHead(3, 1, 48000, 32) + Le16(3) + "xyz") + Chunk("fact", Le32(2)) +
                             Chunk("data", std::string(floats, 8)))),
            (std::vector<float>{1.0f, -0.5f}));
}

// What streaming recorders and careless tools leave: a data size past the
// end of the file (by a byte, by far, 0xFFFFFFFF) or 0 (never filled in). The
// sound the file holds plays; nothing is refused.
TEST_F(SampleDecoderTest, ADataSizeLargerThanTheFileOrZeroPlaysTheSoundThere) {
  const std::string fmt = Chunk("fmt ", FmtHead(1, 1, 48000, 16));
  std::string sound;
  for (int i = 0; i < 100; ++i) sound += Le16(static_cast<uint16_t>(i * 64));
  const auto withDataSize = [&](uint32_t size) { return Riff(fmt + "data" + Le32(size) + sound); };
  for (uint32_t size : {201u, 202u, 0xFFFFFFF0u, 0xFFFFFFFFu, 0u}) {
    const std::vector<float> frames = DecodeBytes(withDataSize(size));
    ASSERT_EQ(frames.size(), 100u) << size;
    EXPECT_EQ(frames[99], 99 * 64 / 32768.0f) << size;
  }
  // So does a whole file cut by a byte, and a RIFF size of 0 or 0xFFFFFFFF.
  const std::string whole = Riff(fmt + Chunk("data", sound));
  EXPECT_EQ(DecodeBytes(whole.substr(0, whole.size() - 1)).size(), 99u);
  EXPECT_EQ(DecodeBytes("RIFF" + Le32(0) + whole.substr(8)).size(), 100u);
  EXPECT_EQ(DecodeBytes("RIFF" + Le32(0xFFFFFFFFu) + whole.substr(8, 36) + Le32(0) + sound).size(), 100u);
  EXPECT_EQ(LogText(), "");
}

TEST_F(SampleDecoderTest, FilesThatAreNoSampleAreRefusedWithALogLineAndLeaveTheOutputAlone) {
  const std::string fmt = Chunk("fmt ", FmtHead(1, 1, 48000, 16));
  const std::string data = Chunk("data", Le16(1000) + Le16(2000));
  const std::string valid = Riff(fmt + data);
  const std::pair<const char*, std::string> cases[] = {
      {"not RIFF", "RIFX" + valid.substr(4)},
      {"not WAVE", valid.substr(0, 8) + "AVI " + valid.substr(12)},
      {"empty", ""},
      {"no fmt", Riff(data)},
      {"no data", Riff(fmt)},
      {"data before fmt", Riff(data + fmt)},
      {"fmt under 16 bytes", Riff(Chunk("fmt ", FmtHead(1, 1, 48000, 16).substr(0, 14)) + data)},
      {"no channels", Riff(Chunk("fmt ", FmtHead(1, 0, 48000, 16)) + data)},
      {"rate 0", Riff(Chunk("fmt ", FmtHead(1, 1, 0, 16)) + data)},
      {"rate 999 Hz", Riff(Chunk("fmt ", FmtHead(1, 1, 999, 16)) + data)},
      {"rate 4 MHz", Riff(Chunk("fmt ", FmtHead(1, 1, 4000000, 16)) + data)},
      {"an unknown encoding", Riff(Chunk("fmt ", FmtHead(0x1234, 1, 48000, 16) + Le16(0)) + data)},
      {"extensible naming nothing", Riff(Chunk("fmt ", FmtHead(0xFFFE, 1, 48000, 16) + Le16(22) + std::string(22, '\0')) + data)},
      {"no sound", Riff(fmt + Chunk("data", ""))},
  };
  for (const auto& [name, bytes] : cases) {
    const std::string path = std::string(name) + ".wav";
    test::WriteFile(path, bytes);
    DecodedSample untouched;
    untouched.samples = {0.25f};
    EXPECT_FALSE(DecodeSampleFile(path.c_str(), &untouched)) << name;
    EXPECT_EQ(untouched.samples, std::vector<float>{0.25f}) << name;
  }
  std::filesystem::create_directory("folder.wav");
  DecodedSample sample;
  EXPECT_FALSE(DecodeSampleFile("folder.wav", &sample));
  EXPECT_FALSE(DecodeSampleFile("missing.wav", &sample));
  EXPECT_FALSE(DecodeSampleFile(nullptr, &sample));
  const std::string log = LogText();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), static_cast<long>(std::size(cases)) + 3) << log;
  EXPECT_EQ(log.rfind("Failed to read WAV file not RIFF.wav: ", 0), 0u) << log;
  EXPECT_NE(log.find("Failed to read WAV file rate 4 MHz.wav: its rate of 4000000 Hz is outside the 1000 to 768000 Hz"),
            std::string::npos) << log;
  EXPECT_NE(log.find("Failed to read WAV file no sound.wav: it holds no sound\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Failed to read WAV file folder.wav: it is a folder or a device, not a file\n"), std::string::npos);
  EXPECT_NE(log.find("Failed to read WAV file missing.wav: there is no such file\n"), std::string::npos);
  EXPECT_NE(log.find("Failed to read WAV file (null): no file named\n"), std::string::npos);
}

// A valid file of 1 GiB (sparse: it takes no disk) that would last over three
// hours is refused from its header, before anything is allocated for it; a
// sample of exactly the limit plays (converted to 48 kHz, 48 times as many frames).
TEST_F(SampleDecoderTest, ASampleLongerThanTheLimitIsRefusedBeforeItsSoundIsRead) {
  const uint32_t dataSize = (1u << 30) - 44;
  test::WriteFile("huge.wav", Riff(Chunk("fmt ", FmtHead(1, 2, 44100, 16)) + "data" + Le32(dataSize)).substr(0, 44));
  ASSERT_EQ(truncate("huge.wav", 1 << 30), 0);
  DecodedSample sample;
  EXPECT_FALSE(DecodeSampleFile("huge.wav", &sample));
  EXPECT_EQ(LogText(), "Failed to read WAV file huge.wav: it lasts 6086.97 s, and a sample may last at most 60 s\n");

  const std::string fmt = Chunk("fmt ", FmtHead(1, 1, 1000, 16));
  EXPECT_NEAR(static_cast<double>(DecodeBytes(Riff(fmt + Chunk("data", std::string(2 * 60000, '\x01')))).size()),
              60.0 * 48000, 48.0);
  test::WriteFile("long.wav", Riff(fmt + Chunk("data", std::string(2 * 60001, '\x01'))));
  EXPECT_FALSE(DecodeSampleFile("long.wav", &sample));
  EXPECT_NE(LogText().find("Failed to read WAV file long.wav: it lasts 60.001 s, and a sample may last at most 60 s"),
            std::string::npos);
}

}  // namespace
