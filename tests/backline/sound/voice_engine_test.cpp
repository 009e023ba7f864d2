#include "backline/sound/voice_engine.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "backline/common/app_cvars.h"
#include "backline/sound/sample_decoder.h"
#include "backline/sound/sdl/audio_output_sdl.h"
#include "backline/sound/sound_backend.h"
#include "basalt/fs/path.h"
#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/full_scale_sample.h"

namespace {

constexpr int kChannels = 2;
constexpr int kPeriod = 240;
// Everything mixed comes out this many frames later (the limiter's lookahead).
constexpr int kDelay = VoiceEngine::kMinLatencyFrames;
constexpr Basalt::TimeNs kStartNs = 1000 * Basalt::kNsPerSecond;

const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";

std::vector<float> ChannelOf(const std::vector<float>& stereo, int channel) {
  std::vector<float> one;
  for (size_t i = static_cast<size_t>(channel); i < stereo.size(); i += 2) one.push_back(stereo[i]);
  return one;
}

int ZeroCrossings(const std::vector<float>& samples) {
  int crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i) crossings += (samples[i - 1] < 0.0f) != (samples[i] < 0.0f);
  return crossings;
}

// The instrument-clock time of an output frame, when frame 0 is kStartNs.
Basalt::TimeNs TimeOf(int64_t frame) {
  return kStartNs + std::llround(static_cast<double>(frame) * 1e9 / VoiceEngine::kMixRate);
}

// An engine without a device, rendered by the test in buffers that follow
// each other on the clock; no latency but the limiter's unless a test sets one.
class VoiceEngineTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    m_savedVariation = g_freqVariation;
    g_freqVariation = 0;
    engine.SetLatencyFrames(0);
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
  // Strikes slot at volume, due at output frame `at` (less the latency).
  bool Play(int slot, float volume, int64_t at, float pitch = 1.0f, NoteSource source = NoteSource::Main) {
    return engine.PlayNote(source, Note{slot, volume, pitch, TimeOf(at)});
  }
  bool PlayNow(int slot, float volume, float pitch = 1.0f) { return Play(slot, volume, frame, pitch); }
  // The left channel of the next frames frames (the right one must match
  // it); the buffer's time may be given off by jitterNs.
  std::vector<float> Render(int frames, Basalt::TimeNs jitterNs = 0) {
    std::vector<float> out(static_cast<size_t>(frames) * kChannels, 99.0f);
    engine.Render(out.data(), frames, kChannels, TimeOf(frame) + jitterNs);
    frame += frames;
    std::vector<float> left;
    for (int i = 0; i < frames; ++i) {
      EXPECT_EQ(out[2 * i], out[2 * i + 1]);
      left.push_back(out[2 * i]);
    }
    return left;
  }
  // Both channels of the next frames frames, interleaved.
  std::vector<float> RenderStereo(int frames) {
    std::vector<float> out(static_cast<size_t>(frames) * kChannels);
    engine.Render(out.data(), frames, kChannels, TimeOf(frame));
    frame += frames;
    return out;
  }
  static int Audible(const std::vector<float>& samples) {
    int count = 0;
    for (float sample : samples) count += sample != 0.0f;
    return count;
  }
  static int FirstAudible(const std::vector<float>& samples) {
    for (size_t i = 0; i < samples.size(); ++i)
      if (samples[i] != 0.0f) return static_cast<int>(i);
    return -1;
  }

  AudioOutputSDL output;  // before the engine, which closes it when a test stops early
  VoiceEngine engine;
  int64_t frame = 0;  // the next frame to render

 private:
  int m_savedVariation = 0;
};

TEST_F(VoiceEngineTest, ANoteStartsOnTheFrameOfItsTimePlusTheLatencyAtPitchTimesVolume) {
  engine.SetLatencyFrames(kPeriod);
  Load(4, {16384, -8192, 4096, 32767});
  ASSERT_TRUE(Play(4, 0.5f, 100));
  EXPECT_EQ(Audible(Render(kPeriod)), 0);  // due at frame 340
  const std::vector<float> out = Render(kPeriod);
  const std::vector<float> expected = {0.25f, -0.125f, 0.0625f, 0.5f * 32767 / 32768, 0};
  EXPECT_EQ(FirstAudible(out), 100);
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(out[100 + i], expected[i]) << i;
  EXPECT_FLOAT_EQ(engine.GetVoice(4 * 5).volume, 0.5f);
  EXPECT_EQ(Audible(out), 4);

  // Inside the second 512-frame pass of a long buffer, and at its last frame.
  ASSERT_TRUE(Play(4, 0.5f, frame + 700 - kPeriod));
  ASSERT_TRUE(Play(4, 0.5f, frame + 1023 - kPeriod));
  const std::vector<float> longBuffer = Render(1024);
  EXPECT_EQ(FirstAudible(longBuffer), 700);
  EXPECT_FLOAT_EQ(longBuffer[1023], 0.25f);
  EXPECT_EQ(Audible(longBuffer), 5);
}

TEST_F(VoiceEngineTest, ALateNoteStartsAtOnceAndAFutureOneWaitsForTheBufferThatHoldsIt) {
  engine.SetLatencyFrames(kPeriod);
  Load(0, std::vector<int16_t>(10, 1000));
  Render(5000);
  ASSERT_TRUE(Play(0, 1.0f, frame - 3000));  // struck long ago: mixed at once, heard after the lookahead
  EXPECT_EQ(FirstAudible(Render(kPeriod)), kDelay);
  Render(kPeriod);
  ASSERT_TRUE(Play(0, 1.0f, frame + 1000));  // lands at frame + 1240: buffer 5, frame 40
  for (int buffer = 0; buffer < 5; ++buffer) EXPECT_EQ(Audible(Render(kPeriod)), 0) << buffer;
  EXPECT_EQ(FirstAudible(Render(kPeriod)), 40);
  EXPECT_EQ(engine.NotesStarted(), 2u);
}

TEST_F(VoiceEngineTest, TheFileRateAndThePitchRatioSetThePlayedLength) {
  Load(0, std::vector<int16_t>(1000, 1000), 24000);  // converted to 2000 frames at load
  PlayNow(0, 1.0f);
  EXPECT_NEAR(Audible(Render(4000)), 2000, 1);

  Load(1, std::vector<int16_t>(48000, 1000));
  PlayNow(1, 1.0f, 0.9995f);
  EXPECT_EQ(Audible(Render(50000)), 48025);  // 48000 / 0.9995, rounded up
  EXPECT_FLOAT_EQ(engine.GetVoice(5).frequencyRatio, 0.9995f);
  EXPECT_FLOAT_EQ(engine.GetVoice(5).volume, 0.9995f);
}

TEST_F(VoiceEngineTest, NotesOnOneSlotInOneBufferTakeVoicesOfTheirOwnAndAnEndedVoiceIsFreeAtOnce) {
  const float one = 3277 / 32768.0f;
  Load(0, std::vector<int16_t>(1000, 3277));
  PlayNow(0, 1.0f);
  Play(0, 1.0f, frame + 20);
  Render(kDelay);
  const std::vector<float> both = Render(100);
  EXPECT_FLOAT_EQ(both[10], one);
  EXPECT_FLOAT_EQ(both[30], one * 2);  // both audible: the sum
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kPlaying);
  EXPECT_EQ(engine.GetVoice(1).state, VoiceEngine::kPlaying);
  Render(1000);
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kReady);  // no UpdateSound needed
  EXPECT_EQ(engine.GetVoice(1).state, VoiceEngine::kReady);

  // Six strikes one after another, each after the last ended: none steals.
  for (int strike = 0; strike < 6; ++strike) {
    PlayNow(0, 0.5f);
    EXPECT_FLOAT_EQ(Render(1100)[kDelay], one * 0.5f) << strike;
  }
  for (int record = 2; record < 5; ++record) EXPECT_FLOAT_EQ(engine.GetVoice(record).volume, 1.0f) << record;
}

TEST_F(VoiceEngineTest, ASixthNoteRestartsOneOfTheFiveAtItsPlainVolumeWithTheVoicesPitch) {
  Load(2, std::vector<int16_t>(1000, 3277));  // 0.1
  for (int strike = 0; strike < 5; ++strike) {
    PlayNow(2, 1.0f);
    Render(10);
  }
  for (int record = 10; record < 15; ++record) EXPECT_EQ(engine.GetVoice(record).state, VoiceEngine::kPlaying);
  PlayNow(2, 0.25f, 2.0f);
  const float one = 3277 / 32768.0f;
  Render(kDelay);
  EXPECT_FLOAT_EQ(Render(1)[0], one * (4 + 0.25f));
  int stolen = -1;
  for (int record = 10; record < 15; ++record)
    if (engine.GetVoice(record).volume == 0.25f) stolen = record;
  ASSERT_NE(stolen, -1);
  EXPECT_FLOAT_EQ(engine.GetVoice(stolen).frequencyRatio, 1.0f);
  // The restarted voice sounds on alone for as long as it was cut short.
  const std::vector<float> tail = Render(1000);
  EXPECT_FLOAT_EQ(tail[998], one * 0.25f);
  EXPECT_EQ(Audible(tail), 999);
}

TEST_F(VoiceEngineTest, AnEmptyOrStoppedSlotRefusesNotesAndStaysSilent) {
  EXPECT_FALSE(PlayNow(3, 1.0f));
  EXPECT_FALSE(PlayNow(-1, 1.0f));
  EXPECT_FALSE(PlayNow(VoiceEngine::kSoundSlots, 1.0f));
  EXPECT_EQ(engine.GetVoice(15).state, VoiceEngine::kNone);
  Load(3, std::vector<int16_t>(1000, 1000));
  PlayNow(3, 1.0f);
  Play(3, 1.0f, frame + 500);  // still waiting when the slot stops
  Render(kDelay);
  EXPECT_EQ(Audible(Render(100)), 100);
  engine.StopSample(3);
  Render(kDelay);  // what was mixed before the stop
  EXPECT_EQ(Audible(Render(1000)), 0);
  EXPECT_FALSE(PlayNow(3, 1.0f));
  EXPECT_FALSE(engine.GetVoice(15).hasVoice);
  EXPECT_EQ(engine.GetVoice(15).state, VoiceEngine::kReady);
  EXPECT_EQ(engine.NotesStarted(), 1u);
  EXPECT_EQ(engine.NotesDropped(), 1u);
  EXPECT_EQ(LogText(), "");

  // A full queue refuses the note and counts it.
  Load(3, {1000});
  for (size_t note = 0; note < NoteScheduler::kQueueCapacity; ++note) ASSERT_TRUE(PlayNow(3, 1.0f));
  EXPECT_FALSE(PlayNow(3, 1.0f));
  EXPECT_EQ(engine.NotesDropped(), 2u);
}

TEST_F(VoiceEngineTest, LoadingWhileAVoicePlaysSilencesItAndSwapsTheSampleAndAFailedLoadLeavesTheSlotSilent) {
  Load(0, std::vector<int16_t>(48000, 1000));
  PlayNow(0, 1.0f);
  Render(kDelay);
  EXPECT_EQ(Audible(Render(100)), 100);
  Load(0, {2000});
  Render(kDelay);  // what was mixed before the swap
  EXPECT_EQ(Audible(Render(100)), 0);
  EXPECT_EQ(engine.GetVoice(0).state, VoiceEngine::kReady);
  PlayNow(0, 1.0f);
  Render(kDelay);
  EXPECT_EQ(Render(3), (std::vector<float>{2000 / 32768.0f, 0, 0}));
  EXPECT_FALSE(engine.LoadSample(0, "missing.wav"));
  EXPECT_FALSE(PlayNow(0, 1.0f));
  test::WriteFile("cut.wav", test::Pcm16Wav({1, 2, 3, 4}, 48000).substr(0, 30));
  EXPECT_FALSE(engine.LoadSample(0, "cut.wav"));
  EXPECT_FALSE(engine.LoadSample(0, nullptr));
  const std::string log = LogText();
  EXPECT_EQ(log.find("Failed to read WAV file missing.wav: there is no such file\nFailed to read WAV file cut.wav: "),
            0u) << log;
  EXPECT_NE(log.find("\nFailed to read WAV file (null): no file named\n"), std::string::npos) << log;
}

TEST_F(VoiceEngineTest, CancelDropsOnlyTheWaitingNotesOfItsSourceSentBeforeIt) {
  Load(0, std::vector<int16_t>(2000, 1000));
  Load(1, std::vector<int16_t>(10, 1000));
  Load(2, std::vector<int16_t>(10, 1000));
  PlayNow(0, 1.0f);
  Render(10);                                           // started: it plays on
  Play(1, 1.0f, frame + 100);                           // waiting, sent before the cancel: dropped
  Play(2, 1.0f, frame + 200, 1.0f, NoteSource::Input);  // the other source: kept
  engine.CancelNotes(NoteSource::Main);
  Play(1, 1.0f, frame + 300);  // sent after the cancel: kept
  Render(kDelay);
  const std::vector<float> out = Render(500);
  EXPECT_EQ(Audible(out), 500);
  EXPECT_FLOAT_EQ(out[150], 1000 / 32768.0f);
  EXPECT_FLOAT_EQ(out[205], 1000 / 32768.0f * 2);
  EXPECT_FLOAT_EQ(out[305], 1000 / 32768.0f * 2);
  EXPECT_EQ(engine.NotesStarted(), 3u);
}

TEST_F(VoiceEngineTest, EveryTestFileLoadsAndPlaysCompressedOnesToo) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  for (const std::string& name : Basalt::ListDirectory(kToneDir.c_str(), "wav")) {
    EXPECT_TRUE(engine.LoadSample(0, (kToneDir + name).c_str())) << name;
    EXPECT_TRUE(PlayNow(0, 1.0f)) << name;
    EXPECT_GT(Audible(ChannelOf(RenderStereo(4800), 0)), 1000) << name;
  }
  EXPECT_EQ(LogText(), "");
}

// ---- stereo and the master limiter, with real recordings --------------------

TEST_F(VoiceEngineTest, AStereoSamplesTwoChannelsArriveDistinctAndAMonoOneInTheCentre) {
  if (!Basalt::PathExists(kToneDir.c_str())) GTEST_SKIP() << "no test data at " << kToneDir;
  // 50 ms of 440 Hz on the left and 660 Hz on the right, at 44.1 kHz.
  ASSERT_TRUE(engine.LoadSample(0, (kToneDir + "tone_s16_stereo_44k.wav").c_str()));
  ASSERT_TRUE(engine.LoadSample(1, (kToneDir + "tone_s16_mono_48k.wav").c_str()));
  PlayNow(0, 1.0f);
  RenderStereo(kDelay);
  std::vector<float> out = RenderStereo(2400);
  const std::vector<float> left = ChannelOf(out, 0), right = ChannelOf(out, 1);
  EXPECT_NEAR(ZeroCrossings(left), 44, 2);
  EXPECT_NEAR(ZeroCrossings(right), 66, 2);
  EXPECT_GT(*std::max_element(left.begin(), left.end()), 0.6f);
  EXPECT_GT(*std::max_element(right.begin(), right.end()), 0.6f);

  RenderStereo(4800);
  PlayNow(1, 1.0f);
  Render(kDelay);
  out = RenderStereo(2400);
  EXPECT_EQ(ChannelOf(out, 0), ChannelOf(out, 1));
  EXPECT_NEAR(ZeroCrossings(ChannelOf(out, 0)), 44, 2);
  EXPECT_EQ(LogText(), "");
}

// Real tones (sox's) raised to peak at exactly 0 dBFS, written as float WAV
// files: a mono one and the stereo one with a tone of its own on each side.
class FullScaleTest : public VoiceEngineTest {
 protected:
  void SetUp() override {
    VoiceEngineTest::SetUp();
    if (!Basalt::PathExists(kToneDir.c_str())) {
      GTEST_SKIP() << "no test data at " << kToneDir;
    }
    samples["mono.wav"] = test::WriteFullScaleSample(kToneDir + "tone_s24_mono_48k.wav", "mono.wav");
    samples["stereo.wav"] = test::WriteFullScaleSample(kToneDir + "tone_s16_stereo_44k.wav", "stereo.wav");
  }
  std::map<std::string, DecodedSample> samples;
};

// Twenty strikes at once, each on a voice of its own, sum to twenty times
// full scale: the limiter brings every sample under full scale, so no
// conversion ever meets +-1 (no 16- or 24-bit sample at its limit), and the
// waveform is scaled, not cut: no flat top, no two equal samples in a row
// where it is loud. With and without the pitch spread.
TEST_F(FullScaleTest, TwentySimultaneousFullVolumeStrikesNeverReachFullScaleNorFlattenTheTop) {
  for (const char* name : {"mono.wav", "stereo.wav"}) {
    for (int variation : {0, 30}) {
      g_freqVariation = variation;
      uint32_t seed = 1;
      for (int slot = 0; slot < 4; ++slot) ASSERT_TRUE(engine.LoadSample(slot, name));
      for (int strike = 0; strike < 20; ++strike) ASSERT_TRUE(PlayNow(strike / 5, 1.0f, PickPitch(&seed)));
      const std::vector<float> out = RenderStereo(3000);
      float peak = 0.0f;
      for (size_t i = 0; i < out.size(); ++i) {
        ASSERT_LE(std::fabs(out[i]), MasterLimiter::kCeiling) << name << " at " << i;
        peak = std::max(peak, std::fabs(out[i]));
        if (i >= 2 && std::fabs(out[i]) > 0.5f) {
          ASSERT_NE(out[i], out[i - 2]) << name << " flat at " << i;
        }
      }
      EXPECT_GT(peak, 0.9f) << name;  // limited to the ceiling, not crushed below it
      RenderStereo(48000);            // the limiter lets go
    }
  }
}

TEST_F(FullScaleTest, ASingleFullScaleStrikeAtFullVolumePassesWithinATenthOfADecibel) {
  for (const char* name : {"mono.wav", "stereo.wav"}) {
    ASSERT_TRUE(engine.LoadSample(0, name));
    PlayNow(0, 1.0f);
    RenderStereo(kDelay);
    const DecodedSample& sample = samples[name];
    const std::vector<float> out = RenderStereo(static_cast<int>(sample.Frames()));
    for (size_t at = 0; at < sample.Frames(); ++at) {
      for (int channel = 0; channel < 2; ++channel) {
        const float in = sample.samples[at * static_cast<size_t>(sample.channels) +
                                        static_cast<size_t>(sample.channels == 2 ? channel : 0)];
        const float heard = out[2 * at + static_cast<size_t>(channel)];
        if (std::fabs(in) < 1e-3f) continue;
        ASSERT_LE(std::fabs(20 * std::log10(heard / in)), 0.1) << name << " frame " << at;
      }
    }
    RenderStereo(48000);
  }
}

// ---- metronome ---------------------------------------------------------------

class MetronomeClockTest : public VoiceEngineTest {
 protected:
  void SetUp() override {
    VoiceEngineTest::SetUp();
    engine.SetLatencyFrames(kPeriod);
    Load(NoteScheduler::kMetronomeSlot, std::vector<int16_t>(10, 8000));
  }
  // Renders seconds of output in device periods, each buffer's time off by
  // up to jitterNs, and returns the frame of every click's onset.
  std::vector<int64_t> Onsets(double seconds, Basalt::TimeNs jitterNs = 0) {
    std::minstd_rand random(5);
    std::vector<int64_t> onsets;
    bool sounding = false;
    for (int64_t end = frame + std::llround(seconds * VoiceEngine::kMixRate); frame < end;) {
      const int64_t first = frame;
      const Basalt::TimeNs jitter = jitterNs ? static_cast<Basalt::TimeNs>(random() % (2 * jitterNs)) - jitterNs : 0;
      const std::vector<float> out = Render(kPeriod, jitter);
      for (int i = 0; i < kPeriod; ++i) {
        if (out[i] != 0.0f && !sounding) onsets.push_back(first + i);
        sounding = out[i] != 0.0f;
      }
    }
    return onsets;
  }
  // Every onset within one sample of first + n x 60 x 48000 / bpm.
  static void ExpectGrid(const std::vector<int64_t>& onsets, double first, unsigned bpm) {
    const double interval = 60.0 * VoiceEngine::kMixRate / bpm;
    for (size_t n = 0; n < onsets.size(); ++n)
      EXPECT_LE(std::abs(static_cast<double>(onsets[n]) - (first + static_cast<double>(n) * interval)), 1.0)
          << "beat " << n << " at " << bpm << " BPM";
  }
};

TEST_F(MetronomeClockTest, BeatsStayWithinOneSampleOfTheGridForAMinuteWhateverTheCallbacksTiming) {
  engine.SetMetronome(true, 120, TimeOf(100));  // beat 0 at 100 + the latency
  std::vector<int64_t> onsets = Onsets(60.0);
  EXPECT_EQ(onsets.size(), 120u);
  EXPECT_EQ(onsets.front(), 340);
  ExpectGrid(onsets, 340.0, 120);
  engine.SetMetronome(false, 120, TimeOf(frame));
  EXPECT_TRUE(Onsets(2.0).empty());
  EXPECT_EQ(engine.MetronomeBeats(), 120u);

  // 70 BPM: 41142.86 frames a beat; callbacks up to 2 ms early or late.
  const int64_t on = frame;
  engine.SetMetronome(true, 70, TimeOf(on));
  onsets = Onsets(60.0, 2 * Basalt::kNsPerMs);
  ASSERT_EQ(onsets.size(), 70u);
  EXPECT_LE(std::abs(onsets.front() - (on + kPeriod)), 96);  // beat 0 alone follows the clock
  ExpectGrid(onsets, static_cast<double>(onsets.front()), 70);
}

TEST_F(MetronomeClockTest, ATempoChangeGoesOnFromTheLastBeatAtTheNewInterval) {
  engine.SetMetronome(true, 120, TimeOf(0));
  std::vector<int64_t> onsets = Onsets(1.2);  // beats at 240, 24240, 48240
  ASSERT_EQ(onsets.size(), 3u);
  engine.SetMetronome(true, 120, TimeOf(frame));  // the same tempo: no change
  engine.SetMetronome(true, 90, TimeOf(frame));
  onsets = Onsets(2.0);
  ASSERT_EQ(onsets.size(), 3u);
  ExpectGrid(onsets, 48240.0 + 32000.0, 90);
}

// ---- through a real (dummy) device -------------------------------------------

TEST_F(VoiceEngineTest, TwoSendingThreadsGetEveryNoteStartedOnTheAudioThread) {
  g_freqVariation = 30;
  Load(0, std::vector<int16_t>(100, 1000));
  Load(1, std::vector<int16_t>(100, 1000));
  ASSERT_TRUE(engine.Start(output, kPeriod));
  constexpr uint32_t kNotes = 400;
  const auto send = [this](NoteSource source, int slot) {
    uint32_t seed = static_cast<uint32_t>(slot) + 1;
    for (uint32_t note = 0; note < kNotes; ++note) {
      EXPECT_TRUE(engine.PlayNote(source, Note{slot, 0.5f, PickPitch(&seed), Basalt::GetTimeNs()}));
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  };
  std::thread input(send, NoteSource::Input, 1);
  send(NoteSource::Main, 0);
  input.join();
  for (int tick = 0; tick < 6000 && engine.NotesStarted() < 2 * kNotes; ++tick) SDL_Delay(10);
  engine.Stop();
  EXPECT_EQ(engine.NotesStarted(), 2 * kNotes);
  EXPECT_EQ(engine.NotesDropped(), 0u);
}

// The engine outlives its outputs (the program's is one per process): a
// voice still sounding and a note still waiting when the output closes must
// not sound on the next one.
TEST_F(VoiceEngineTest, StoppingDropsWhatSoundsAndWaitsSoTheNextStartIsInSilence) {
  Load(0, std::vector<int16_t>(VoiceEngine::kMixRate, 1000));  // a second of sound
  ASSERT_TRUE(engine.Start(output, kPeriod));
  const Basalt::TimeNs now = Basalt::GetTimeNs(), anHourOn = now + 3600 * Basalt::kNsPerSecond;
  ASSERT_TRUE(engine.PlayNote(NoteSource::Main, Note{0, 1.0f, 1.0f, now}));
  ASSERT_TRUE(engine.PlayNote(NoteSource::Input, Note{0, 1.0f, 1.0f, anHourOn}));
  while (engine.NotesStarted() == 0) SDL_Delay(1);
  engine.Stop();
  std::vector<float> out(2 * 4800);
  engine.Render(out.data(), 4800, kChannels, anHourOn);
  EXPECT_EQ(Audible(out), 0);
  EXPECT_EQ(engine.NotesStarted(), 1u);
}

}  // namespace
