#include "backline/sound/sdl/mixer_sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "backline/common/app_cvars.h"
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

// A mono 48 kHz file is what the voice engine plays (at half volume, under the
// limiter's ceiling: exactly half of it), sample for sample after the
// limiter's lookahead, and what both channels of SDL_mixer's chunk hold.
TEST_F(MixerSoundTest, BothBackEndsPlayTheOneDecodeSampleForSample) {
  if (!std::filesystem::exists(kToneDir)) GTEST_SKIP() << "no test data at " << kToneDir;
  const std::string path = kToneDir + "tone_s24_mono_48k.wav";
  const DecodedSample sample = Decoded(path);
  ASSERT_EQ(sample.channels, 1);
  const std::unique_ptr<MixerSound> sound = MixerSound::Make(sample);
  ASSERT_NE(sound, nullptr);
  ASSERT_EQ(sound->Chunk()->alen, sample.Frames() * 2 * sizeof(float));

  VoiceEngine engine;
  engine.SetLatencyFrames(0);
  const int savedVariation = g_freqVariation;
  g_freqVariation = 0;
  ASSERT_TRUE(engine.LoadSample(0, path.c_str()));
  ASSERT_TRUE(engine.PlayNote(NoteSource::Main, Note{0, 0.5f, 1.0f, 0}));
  constexpr size_t kDelay = VoiceEngine::kMinLatencyFrames;
  std::vector<float> voices(sample.Frames() + kDelay);
  engine.Render(voices.data(), static_cast<int>(voices.size()), 1, 0);
  g_freqVariation = savedVariation;
  for (size_t frame = 0; frame < sample.Frames(); ++frame) {
    ASSERT_EQ(At(*sound->Chunk(), frame, 0), sample.samples[frame]) << frame;
    ASSERT_EQ(At(*sound->Chunk(), frame, 1), sample.samples[frame]) << frame;
    ASSERT_EQ(voices[kDelay + frame], sample.samples[frame] * 0.5f) << frame;
  }
}

// A stereo sample keeps its two sides in SDL_mixer's chunk, and every rate
// arrives at the device's 48 kHz with the sample's length.
TEST_F(MixerSoundTest, AStereoSampleKeepsItsSidesAndEveryRateItsLength) {
  if (!std::filesystem::exists(kToneDir)) GTEST_SKIP() << "no test data at " << kToneDir;
  const DecodedSample stereo = Decoded(kToneDir + "tone_s16_stereo_44k.wav");
  ASSERT_EQ(stereo.channels, 2);
  const std::unique_ptr<MixerSound> sound = MixerSound::Make(stereo);
  ASSERT_NE(sound, nullptr);
  ASSERT_EQ(sound->Chunk()->alen, stereo.samples.size() * sizeof(float));
  for (size_t frame = 0; frame < stereo.Frames(); ++frame) {
    ASSERT_EQ(At(*sound->Chunk(), frame, 0), stereo.samples[2 * frame]) << frame;
    ASSERT_EQ(At(*sound->Chunk(), frame, 1), stereo.samples[2 * frame + 1]) << frame;
  }
  for (const char* name : {"tone_u8_mono_22k.wav", "tone_alaw_mono_8k.wav", "tone_s32_stereo_96k.wav"}) {
    const std::unique_ptr<MixerSound> converted = MixerSound::Make(Decoded(kToneDir + name));
    ASSERT_NE(converted, nullptr) << name;
    EXPECT_NEAR(static_cast<double>(converted->Chunk()->alen / (2 * sizeof(float))), 2400.0, 2.0) << name;  // 50 ms
  }
}

}  // namespace
