#include "backline/sound/mixer_sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "backline/app/app_cvars.h"
#include "backline/sound/voice_engine.h"
#include "tests/support/engine_fixture.h"

namespace {

const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";

// SDL_mixer open on SDL's dummy driver at the rate and format the back end asks for.
class MixerSoundTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudioDevice(48000, AUDIO_F32SYS, 2, 240, nullptr, 0), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    EngineFixture::TearDown();
  }
  static DecodedSample Decoded(const std::string& path) {
    DecodedSample sample;
    EXPECT_TRUE(DecodeSampleFile(path.c_str(), &sample)) << path;
    return sample;
  }
  // Channel channel of frame frame of the chunk (float stereo).
  static float At(const Mix_Chunk& chunk, size_t frame, int channel) {
    float value;
    std::memcpy(&value, chunk.abuf + (2 * frame + static_cast<size_t>(channel)) * sizeof value, sizeof value);
    return value;
  }
};

// A 48 kHz file is what the voice engine plays at its plain volume, sample
// for sample, on both channels of SDL_mixer's chunk.
TEST_F(MixerSoundTest, BothBackEndsPlayTheOneDecodeSampleForSample) {
  if (!std::filesystem::exists(kToneDir)) GTEST_SKIP() << "no test data at " << kToneDir;
  const std::string path = kToneDir + "tone_s24_mono_48k.wav";
  const DecodedSample sample = Decoded(path);
  const std::unique_ptr<MixerSound> sound = MixerSound::Make(sample);
  ASSERT_NE(sound, nullptr);
  ASSERT_EQ(sound->Chunk()->alen, sample.frames.size() * 2 * sizeof(float));

  VoiceEngine engine;
  engine.SetLatencyFrames(0);
  const int savedVariation = g_freqVariation;
  g_freqVariation = 0;
  ASSERT_TRUE(engine.LoadSample(0, path.c_str()));
  ASSERT_TRUE(engine.PlayNote(NoteSource::Main, Note{0, 1.0f / 1.2f, 1.0f, 0}));
  std::vector<float> voices(sample.frames.size());
  engine.Render(voices.data(), static_cast<int>(voices.size()), 1, 0);
  g_freqVariation = savedVariation;
  for (size_t frame = 0; frame < sample.frames.size(); ++frame) {
    ASSERT_EQ(At(*sound->Chunk(), frame, 0), sample.frames[frame]) << frame;
    ASSERT_EQ(At(*sound->Chunk(), frame, 1), sample.frames[frame]) << frame;
    ASSERT_NEAR(voices[frame], sample.frames[frame], 1e-6) << frame;
  }
}

// Other rates are converted to the device's once, keeping the sample's length.
TEST_F(MixerSoundTest, AnotherRateKeepsItsLengthInTheDevicesRate) {
  if (!std::filesystem::exists(kToneDir)) GTEST_SKIP() << "no test data at " << kToneDir;
  for (const char* name : {"tone_u8_mono_22k.wav", "tone_alaw_mono_8k.wav", "tone_s32_stereo_96k.wav"}) {
    const DecodedSample sample = Decoded(kToneDir + name);
    const std::unique_ptr<MixerSound> sound = MixerSound::Make(sample);
    ASSERT_NE(sound, nullptr) << name;
    const double expectedFrames = static_cast<double>(sample.frames.size()) * 48000 / sample.rate;
    EXPECT_NEAR(static_cast<double>(sound->Chunk()->alen / (2 * sizeof(float))), expectedFrames, 48000 * 0.002) << name;
  }
}

}  // namespace
