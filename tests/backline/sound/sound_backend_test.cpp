#include "backline/sound/sound_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backline/common/app_cvars.h"
#include "backline/common/pad_slots.h"
#include "backline/sound/sdl/sound_backends_sdl.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/foundation/clock.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/fs/path.h"
#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/engine_fixture.h"

namespace {

// Sets an environment variable for one scope (SDL reads its audio driver
// from the environment whenever its audio starts).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old, m_hadOld = true;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (m_hadOld)
      setenv(m_name, m_old.c_str(), 1);
    else
      unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::string m_old;
  bool m_hadOld = false;
};

class SoundBackendTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    m_savedUseSoundLib = g_useSoundLib;
    g_soundBackend = {};
  }
  void TearDown() override {
    if (g_soundBackend.Shutdown) g_soundBackend.Shutdown();
    g_soundBackend = {};
    g_useSoundLib = m_savedUseSoundLib;
    EngineFixture::TearDown();
  }
  // Whether the raw output the disk driver wrote holds a sample above level.
  static bool DiskOutputIsAudible(float level) {
    const std::string raw = test::ReadFile("out.raw");
    for (size_t offset = 0; offset + sizeof(float) <= raw.size(); offset += sizeof(float)) {
      float sample;
      std::memcpy(&sample, raw.data() + offset, sizeof sample);
      if (sample > level || sample < -level) return true;
    }
    return false;
  }
  // A note on slot at volume, due `inMs` milliseconds from now.
  static Note NoteIn(int slot, float volume, int inMs) {
    return Note{slot, volume, 1.0f, Basalt::GetTimeNs() + inMs * Basalt::kNsPerMs};
  }
  // Waits for done to hold; gives up after a minute (a loaded machine may
  // keep the audio thread waiting for long, never that long).
  template <typename Done>
  static bool WaitFor(Done done) {
    for (int tick = 0; tick < 6000 && !done(); ++tick) SDL_Delay(10);
    return done();
  }

 private:
  int m_savedUseSoundLib = 0;
};

bool Succeeds() { return true; }
bool Fails() { return false; }
SoundBackend Fake(bool (*initialize)()) {
  SoundBackend table;
  table.Initialize = initialize;
  return table;
}

TEST_F(SoundBackendTest, TheVoiceEngineIsTriedFirstUnlessUseSoundLibIs1) {
  const SoundBackend voices = Fake(Succeeds);
  const SoundBackend failing = Fake(Fails);
  const SoundBackend sdlMixer = Fake(Succeeds);
  g_useSoundLib = 0;
  EXPECT_TRUE(SelectSoundBackendFrom(voices, sdlMixer));
  EXPECT_EQ(LogText(), "  [voices]\n");
  g_useSoundLib = 2;
  EXPECT_TRUE(SelectSoundBackendFrom(failing, sdlMixer));
  EXPECT_EQ(g_soundBackend.Initialize, sdlMixer.Initialize);
  g_useSoundLib = 1;
  EXPECT_TRUE(SelectSoundBackendFrom(voices, sdlMixer));
  EXPECT_FALSE(SelectSoundBackendFrom(voices, failing));
  g_soundBackend = {};
  EXPECT_EQ(LogText(),
            "  [voices]\n"
            "Last message repeated 1 time\nFailed to initialize voice engine sound! Trying SDL_mixer..\n  [SDL_mixer]\n"
            "Last message repeated 2 times\nFailed to initialize SDL_mixer sound!\n");
}

// The settings file cannot leave 1..100 ms: a value outside is refused when
// it is read, and the device asks for the default period.
TEST_F(SoundBackendTest, TheDevicePeriodComesFromAudioPeriodMsWithinItsRange) {
  const std::string settings = "g_audioPeriodMs = 0\ng_audioPeriodMs = 5000\n";
  Basalt::CVarSystem().ParseFile(settings.data(), static_cast<unsigned>(settings.size()), "settings.cfg");
  EXPECT_EQ(AudioPeriodFrames(48000), 240);
  EXPECT_EQ(LogText(),
            "(settings.cfg : 1) g_audioPeriodMs = 0 refused: it must be 1 to 100; keeping 5\n"
            "(settings.cfg : 2) g_audioPeriodMs = 5000 refused: it must be 1 to 100; keeping 5\n");
  const std::string longest = "g_audioPeriodMs = 100\n";
  Basalt::CVarSystem().ParseFile(longest.data(), static_cast<unsigned>(longest.size()), "settings.cfg");
  EXPECT_EQ(AudioPeriodFrames(44100), 4410);
}

TEST_F(SoundBackendTest, APitchIsSpreadByFreqVariationThousandthsFromTheCallersOwnGenerator) {
  const int saved = g_freqVariation;
  uint32_t seed = 1;
  g_freqVariation = 0;
  EXPECT_EQ(PickPitch(&seed), 1.0f);
  g_freqVariation = 1;
  EXPECT_FLOAT_EQ(PickPitch(&seed), 0.9995f);
  g_freqVariation = 30;
  uint32_t first = 7, second = 7;
  float low = 2.0f, high = 0.0f;
  for (int strike = 0; strike < 400; ++strike) {
    const float pitch = PickPitch(&first);
    EXPECT_EQ(PickPitch(&second), pitch);  // the same state, the same pitches: nothing shared
    low = std::min(low, pitch);
    high = std::max(high, pitch);
  }
  EXPECT_FLOAT_EQ(low, 0.985f);
  EXPECT_FLOAT_EQ(high, 1.014f);
  uint32_t zero = 0;
  EXPECT_NE(PickPitch(&zero), PickPitch(&zero));  // a zero state still moves on
  g_freqVariation = 5000;
  seed = 1;
  for (int strike = 0; strike < 50; ++strike) EXPECT_GE(PickPitch(&seed), 1.0f / 1024);
  g_freqVariation = saved;
}

TEST_F(SoundBackendTest, WithNoAudioDeviceBothBackEndsFailCleanly) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  g_useSoundLib = 0;
  EXPECT_FALSE(SelectSoundBackend());
  g_soundBackend = {};
  const std::string log = LogText();
  EXPECT_EQ(log.find("  [voices]\nFailed to init voice engine: "), 0u) << log;
  EXPECT_NE(log.find("Failed to initialize voice engine sound! Trying SDL_mixer..\n  [SDL_mixer]\n"),
            std::string::npos);
  EXPECT_NE(log.find("\nFailed to initialize SDL_mixer sound!\n"), std::string::npos);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

// SDL's disk driver: a real device whose output lands in out.raw.
class DiskDeviceTest : public SoundBackendTest {
 protected:
  // Starts the back end g_useSoundLib selects and writes a 50 ms hit.wav.
  void Start(int useSoundLib, const std::string& tag) {
    g_useSoundLib = useSoundLib;
    ASSERT_TRUE(SelectSoundBackend());
    EXPECT_EQ(LogText(), tag + "\nAudio device: 48000 Hz, 2 channels, 240-frame buffer (5.0 ms)\n");
    test::WriteFile("hit.wav", test::Pcm16Wav(std::vector<int16_t>(2400, 8000), 48000));
  }

 private:
  ScopedEnv m_driver{"SDL_AUDIODRIVER", "disk"};
  ScopedEnv m_file{"SDL_DISKAUDIOFILE", "out.raw"};
};

TEST_F(DiskDeviceTest, TheVoiceEnginePlaysThroughARealDevice) {
  Start(0, "  [voices]");
  ASSERT_TRUE(g_soundBackend.LoadSample(20, "hit.wav"));
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Main, NoteIn(20, 1.0f, 0)));
  const VoiceEngine& engine = GetVoiceEngine();
  EXPECT_TRUE(WaitFor([] { return g_soundBackend.NotesStarted() == 1; }));
  // Ready again once the sample has ended, with no UpdateSound.
  EXPECT_TRUE(WaitFor([&] { return engine.GetVoice(100).state == VoiceEngine::kReady; }));
  const Basalt::TimeNs sent = Basalt::GetTimeNs();
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Input, NoteIn(20, 1.0f, 300)));
  SDL_Delay(150);
  const uint32_t started = g_soundBackend.NotesStarted();
  if (Basalt::GetTimeNs() - sent < 250 * Basalt::kNsPerMs) {
    EXPECT_EQ(started, 1u);  // not its time yet: waiting
  }
  EXPECT_TRUE(WaitFor([] { return g_soundBackend.NotesStarted() == 2; }));

  g_soundBackend.SetMetronome(true, 1200);  // a beat every 50 ms
  EXPECT_TRUE(WaitFor([] { return g_soundBackend.MetronomeBeats() >= 4; }));
  g_soundBackend.SetMetronome(false, 1200);
  SDL_Delay(100);
  const uint32_t beats = g_soundBackend.MetronomeBeats();
  SDL_Delay(100);
  EXPECT_EQ(g_soundBackend.MetronomeBeats(), beats);
  g_soundBackend.UpdateSound();
  g_soundBackend.Shutdown();
  EXPECT_FALSE(engine.GetVoice(100).hasVoice);  // released with the device
  EXPECT_TRUE(DiskOutputIsAudible(0.2f));
}

TEST_F(DiskDeviceTest, SDLMixerPlaysThroughARealDevice) {
  constexpr int kLastSlot = kSoundSlots - 1;  // the last velocity layer's
  Start(1, "  [SDL_mixer]");
  EXPECT_FALSE(g_soundBackend.PlayNote(NoteSource::Main, NoteIn(0, 1.0f, 0)));  // nothing loaded
  EXPECT_FALSE(g_soundBackend.LoadSample(kSoundSlots, "hit.wav"));
  EXPECT_FALSE(g_soundBackend.LoadSample(kLastSlot, "missing.wav"));
  ASSERT_TRUE(g_soundBackend.LoadSample(kLastSlot, "hit.wav"));
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Main, NoteIn(kLastSlot, 0.5f, 0)));
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Input, NoteIn(kLastSlot, 1.0f, 0)));
  EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 2; }));  // overlapping, each at its own volume
  EXPECT_EQ(Mix_Volume(0, -1) + Mix_Volume(1, -1), MIX_MAX_VOLUME * 3 / 2);
  EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }));

  // A future note waits for its time; a cancelled one never plays.
  const Basalt::TimeNs sent = Basalt::GetTimeNs();
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Main, NoteIn(kLastSlot, 1.0f, 200)));
  ASSERT_TRUE(g_soundBackend.PlayNote(NoteSource::Input, NoteIn(kLastSlot, 1.0f, 300)));
  g_soundBackend.CancelNotes(NoteSource::Input);
  SDL_Delay(100);
  const int playing = Mix_Playing(-1);
  if (Basalt::GetTimeNs() - sent < 150 * Basalt::kNsPerMs) {
    EXPECT_EQ(playing, 0);  // not its time yet: waiting
  }
  EXPECT_TRUE(WaitFor([] { return g_soundBackend.NotesStarted() == 3; }));
  SDL_Delay(300);
  EXPECT_EQ(g_soundBackend.NotesStarted(), 3u);

  g_soundBackend.SetMetronome(true, 1200);  // nothing in slot 20: beats still count
  EXPECT_TRUE(WaitFor([] { return g_soundBackend.MetronomeBeats() >= 4; }));
  g_soundBackend.SetMetronome(false, 1200);
  const uint32_t startedBefore = g_soundBackend.NotesStarted();
  g_soundBackend.PlayNote(NoteSource::Main, NoteIn(kLastSlot, 1.0f, 0));
  EXPECT_TRUE(WaitFor([=] { return g_soundBackend.NotesStarted() > startedBefore; }));
  g_soundBackend.StopSample(kLastSlot);  // halts and releases
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_FALSE(g_soundBackend.PlayNote(NoteSource::Main, NoteIn(kLastSlot, 1.0f, 0)));
  g_soundBackend.Shutdown();
  EXPECT_NE(LogText().find("Failed to read WAV file missing.wav: "), std::string::npos);
  EXPECT_TRUE(DiskOutputIsAudible(0.2f));
}

// Every file either back end is given, the other takes or refuses alike: the
// compressed encodings, data sizes past the end of the file or 0, and what
// neither can play (the same log line from each).
TEST_F(DiskDeviceTest, BothBackEndsTakeAndRefuseTheSameFiles) {
  const std::string fmt = test::Chunk("fmt ", test::FmtHead(1, 1, 48000, 16));
  const std::string sound(4800, '\x10');
  test::WriteFile("size plus one.wav", test::Riff(fmt + "data" + test::Le32(4801) + sound));
  test::WriteFile("size zero.wav", test::Riff(fmt + "data" + test::Le32(0) + sound));
  test::WriteFile("size unknown.wav", test::Riff(fmt + "data" + test::Le32(0xFFFFFFFFu) + sound));
  test::WriteFile("not a wav.wav", "RIFX" + sound);
  test::WriteFile("too long.wav", test::Riff(test::Chunk("fmt ", test::FmtHead(1, 1, 1000, 16)) +
                                             test::Chunk("data", std::string(2 * 61000, '\x10'))));
  std::vector<std::string> playable = {"size plus one.wav", "size zero.wav", "size unknown.wav"};
  const std::string tones = std::string(PADLARK_TESTDATA_DIR) + "/wav";
  for (const std::string& name : Basalt::ListDirectory(tones.c_str(), "wav")) playable.push_back(tones + "/" + name);
  const std::vector<std::string> refused = {"not a wav.wav", "too long.wav", "missing.wav"};

  std::string logs[2];
  for (int useSoundLib : {0, 1}) {
    g_useSoundLib = useSoundLib;
    ASSERT_TRUE(SelectSoundBackend());
    const size_t logStart = LogText().size();
    for (const std::string& path : playable) EXPECT_TRUE(g_soundBackend.LoadSample(0, path.c_str())) << path;
    for (const std::string& path : refused) EXPECT_FALSE(g_soundBackend.LoadSample(0, path.c_str())) << path;
    g_soundBackend.Shutdown();
    g_soundBackend = {};
    logs[useSoundLib] = LogText().substr(logStart);
  }
  EXPECT_EQ(logs[0], logs[1]);
  EXPECT_EQ(std::count(logs[0].begin(), logs[0].end(), '\n'), 3) << logs[0];
  EXPECT_NE(logs[0].find("Failed to read WAV file too long.wav: it lasts 61 s"), std::string::npos) << logs[0];
}

}  // namespace
