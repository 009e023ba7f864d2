// A recording's sound end to end: `backline --export-wav` (the real binary)
// against the same notes rendered here by a voice engine of the test's own,
// and the program playing the recording through SDL's disk audio driver
// against the same render. The pads play real files (sox's 50 ms tones: a
// stereo one at 44.1 kHz with 440 Hz on the left and 660 Hz on the right,
// and a mono one at 48 kHz), without the pitch spread.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "backline/pads/velocity_curve.h"
#include "backline/recording/export_job.h"
#include "backline/recording/plr_file.h"
#include "backline/recording/plrv_file.h"
#include "backline/recording/wav_export.h"
#include "backline/sound/voice_engine.h"
#include "backline/app/game_app.h"
#include "basalt/gui/gui_button.h"
#include "tests/support/app_script.h"

namespace {

constexpr int kPlayBackEntry = 3;
const std::string kToneDir = std::string(PADLARK_TESTDATA_DIR) + "/wav/";
// The pads' samples and the recording's events (pad slot, ms), 1 s apart.
const char* const kSamples[] = {"SampleBank/Other/tone stereo.wav", "SampleBank/Other/tone mono.wav"};
const float kVolumes[] = {0.8f, 0.5f};
struct Event {
  int padSlot;
  int32_t ms;
};
const Event kEvents[] = {{0, 0}, {1, 1000}, {0, 2000}};
constexpr int kRate = 48000;

class ExportTest : public test::ScriptedAppTest {
 protected:
  void SetUp() override {
    ScriptedAppTest::SetUp();
    if (!std::filesystem::exists(kToneDir)) {
      GTEST_SKIP() << "no test data at " << kToneDir;
    }
    test::WriteFile("settings.cfg", test::ReadFile("settings.cfg") + "g_freqVariation = 0\n");
    std::filesystem::copy_file(kToneDir + "tone_s16_stereo_44k.wav", kSamples[0]);
    std::filesystem::copy_file(kToneDir + "tone_s16_mono_48k.wav", kSamples[1]);
    Recording take;
    for (int pad = 0; pad < 2; ++pad) {
      std::string path = kSamples[pad];
      std::replace(path.begin(), path.end(), '/', '\\');
      std::strcpy(take.pads[pad].primary, path.c_str());
      take.volumes[pad] = kVolumes[pad];
    }
    for (const Event& event : kEvents) take.tracks[event.padSlot].push_back(event.ms);
    take.length = kEvents[2].ms;
    for (int k = 2; k < kPlrVolumes; ++k) take.volumes[k] = 1.0f;
    const std::vector<uint8_t> bytes = EncodeRecording(take);
    test::WriteFile("recordings/take.plr", std::string(bytes.begin(), bytes.end()));
  }

  // Notes (sample index, volume, ms) played by a voice engine of the test's
  // own, without a device: frames interleaved stereo frames from time 0 on.
  struct SoundAt {
    int sample;
    float volume;
    int32_t ms;
  };
  static std::vector<float> RenderNotes(size_t frames, const std::vector<SoundAt>& notes) {
    VoiceEngine engine;
    engine.SetLatencyFrames(0);
    for (int sample = 0; sample < 2; ++sample) EXPECT_TRUE(engine.LoadSample(sample, kSamples[sample]));
    const Basalt::TimeNs start = 1000 * Basalt::kNsPerSecond;
    for (const SoundAt& note : notes)
      engine.PlayNote(NoteSource::Main, Note{note.sample, note.volume, 1.0f, start + note.ms * Basalt::kNsPerMs});
    const int delay = VoiceEngine::kMinLatencyFrames;
    std::vector<float> out((frames + static_cast<size_t>(delay)) * 2);
    engine.Render(out.data(), static_cast<int>(frames) + delay, 2, start);
    out.erase(out.begin(), out.begin() + 2 * delay);
    return out;
  }

  // The recording's notes: each pad plays its own sample at its volume.
  static std::vector<float> RenderSameNotes(size_t frames) {
    std::vector<SoundAt> notes;
    for (const Event& event : kEvents) notes.push_back({event.padSlot, kVolumes[event.padSlot], event.ms});
    return RenderNotes(frames, notes);
  }

  // The exported file's samples (24-bit values in the top of an int),
  // checking its format.
  static std::vector<int> ReadExport(const char* path) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file) return {};
    EXPECT_EQ(info.samplerate, kRate);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    std::vector<int> written(static_cast<size_t>(info.frames) * 2);
    EXPECT_EQ(sf_readf_int(file, written.data(), info.frames), info.frames);
    sf_close(file);
    return written;
  }

  static int Export(const char* recording, const char* wav) {
    const std::string command =
        std::string(BACKLINE_PATH) + " --export-wav " + recording + " " + wav + " > export.out 2>&1";
    return std::system(command.c_str());
  }

  // The first frame of each sound that follows at least 0.2 s of silence.
  static std::vector<size_t> Onsets(const std::vector<float>& stereo) {
    constexpr size_t kSilence = kRate / 5;
    std::vector<size_t> onsets;
    size_t silent = kSilence;
    for (size_t frame = 0; frame < stereo.size() / 2; ++frame) {
      const bool audible = stereo[2 * frame] != 0.0f || stereo[2 * frame + 1] != 0.0f;
      if (audible && silent >= kSilence) onsets.push_back(frame);
      silent = audible ? 0 : silent + 1;
    }
    return onsets;
  }
};

TEST_F(ExportTest, AnExportedWavMatchesAnOfflineRenderOfTheSameNotesSampleForSample) {
  ASSERT_EQ(Export("recordings/take.plr", "take.wav"), 0) << test::ReadFile("export.out");
  EXPECT_EQ(test::ReadFile("export.out"), "Exported recordings/take.plr to take.wav (48 kHz, stereo, 24-bit)\n");
  EXPECT_FALSE(std::filesystem::exists("take.wav.partial"));

  const std::vector<int> written = ReadExport("take.wav");
  const size_t frames = written.size() / 2;
  // From the first strike to the last one's end (2 s and 50 ms), give or take a 5 ms block.
  const double lastSoundEnds = 2.05 * kRate;
  EXPECT_GE(static_cast<double>(frames), lastSoundEnds);
  EXPECT_LE(static_cast<double>(frames), lastSoundEnds + 3 * 240);

  const std::vector<float> render = RenderSameNotes(frames);
  for (size_t i = 0; i < written.size(); ++i) ASSERT_EQ(written[i], WavSample24(render[i])) << "sample " << i;
  const std::vector<size_t> onsets = Onsets(render);
  ASSERT_EQ(onsets.size(), 3u);
  EXPECT_NEAR(static_cast<double>(onsets[1]), 1.0 * kRate, 2.0);
}

// A take with its strengths in the side file, and the default preset's
// layers putting the mono tone under the stereo one's soft half: the soft
// strike plays the mono layer at the curve's level, the hard one the stereo
// sample at the pad's volume, as playback in the program would.
TEST_F(ExportTest, AnExportPlaysEachStrikeAtItsStrengthThroughTheDefaultPresetsLayers) {
  Recording take;
  std::string path = kSamples[0];
  std::replace(path.begin(), path.end(), '/', '\\');
  std::strcpy(take.pads[0].primary, path.c_str());
  for (float& volume : take.volumes) volume = 1.0f;
  take.volumes[0] = kVolumes[0];
  take.tracks[0] = {0, 1000};
  take.length = 1000;
  const std::vector<uint8_t> bytes = EncodeRecording(take);
  test::WriteFile("recordings/dynamics.plr", std::string(bytes.begin(), bytes.end()));
  VelocityFile strengths;
  strengths.recordingHash = PlrvHash(bytes.data(), bytes.size());
  strengths.velocities[0] = {0.0f, 1.0f};
  const std::vector<uint8_t> side = EncodeVelocities(strengths);
  test::WriteFile("recordings/dynamics.plrv", std::string(side.begin(), side.end()));
  test::WriteFile("presets/default.layers",
                  "Padlark velocity layers 1\n"
                  "pad 0 SampleBank\\Other\\tone stereo.wav\n"
                  "layer 0 0.5 SampleBank\\Other\\tone mono.wav\n"
                  "layer 0.5 1 SampleBank\\Other\\tone stereo.wav\n");

  ASSERT_EQ(Export("recordings/dynamics.plr", "dynamics.wav"), 0) << test::ReadFile("export.out");
  const std::vector<int> written = ReadExport("dynamics.wav");
  const std::vector<float> render =
      RenderNotes(written.size() / 2, {{1, kVolumes[0] * VelocityLevel(0.0f), 0}, {0, kVolumes[0] * VelocityLevel(1.0f), 1000}});
  for (size_t i = 0; i < written.size(); ++i) ASSERT_EQ(written[i], WavSample24(render[i])) << "sample " << i;
  ASSERT_EQ(Onsets(render).size(), 2u);
}

// What cannot be exported says why, exits with a failure, and leaves no file
// behind, nor touches one that was there.
TEST_F(ExportTest, AnExportThatCannotBeMadeSaysWhyAndLeavesNothingHalfWritten) {
  test::WriteFile("recordings/cut.plr", test::ReadFile("recordings/take.plr").substr(0, 100));
  EXPECT_NE(Export("recordings/cut.plr", "cut.wav"), 0);
  EXPECT_EQ(test::ReadFile("export.out").rfind("Cannot export recordings/cut.plr: ", 0), 0u) << test::ReadFile("export.out");
  EXPECT_FALSE(std::filesystem::exists("cut.wav"));

  std::filesystem::create_directory("folder.wav");
  EXPECT_NE(Export("recordings/take.plr", "folder.wav"), 0);
  EXPECT_NE(test::ReadFile("export.out").find("cannot write folder.wav"), std::string::npos)
      << test::ReadFile("export.out");
  EXPECT_TRUE(std::filesystem::is_directory("folder.wav"));
  EXPECT_FALSE(std::filesystem::exists("folder.wav.partial"));
  EXPECT_NE(test::ReadFile("exportlog.txt").find("cannot write folder.wav"), std::string::npos);

  EXPECT_NE(std::system((std::string(BACKLINE_PATH) + " --export-wav only-one-argument > export.out 2>&1").c_str()), 0);
  EXPECT_EQ(test::ReadFile("export.out").rfind("usage: backline", 0), 0u);
}

// W on the playback screen writes the WAV beside the recording while it
// plays, the same file the command writes, and says so on the screen.
TEST_F(ExportTest, TheExportKeyOnThePlaybackScreenWritesTheRecordingsWav) {
  SetExportProgram(BACKLINE_PATH);
  ASSERT_EQ(Export("recordings/take.plr", "take.wav"), 0) << test::ReadFile("export.out");
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  Then([](AppView& app) { EXPECT_EQ(app.panelButton->GetColour() >> 24, 0u); });  // nothing hides the drum set
  Press(SDL_SCANCODE_W);
  Until([](AppView& app) { return app.screens.exportJob.Poll() != ExportJob::State::Running; });
  Then([](AppView& app) {
    EXPECT_EQ(app.screens.exportJob.Poll(), ExportJob::State::Done);
    EXPECT_EQ(app.mode, Playback);
  });
  Frames(1);
  Then([](AppView&) { EXPECT_EQ(TextAt(10, kScreenHeight - 36), "Exported recordings/take.wav"); });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  ASSERT_TRUE(RunScript());
  EXPECT_EQ(test::ReadFile("recordings/take.wav"), test::ReadFile("take.wav"));
  SetExportProgram("");
}

TEST_F(ExportTest, PlayingTheRecordingThroughTheDiskDriverGivesTheSameSamples) {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  const std::string savedDriver = driver ? driver : "";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "out.raw", 1);
  Choose(kPlayBackEntry);
  WaitForMode(OpenRecording);
  Press(SDL_SCANCODE_RETURN);
  WaitForMode(Playback);
  // The program's clock runs ahead of the disk driver's real time: each
  // frame waits a little, so the strikes, a second apart on the program's
  // clock, come out well apart.
  for (int frame = 0; frame < 260; ++frame) Then([](AppView&) { SDL_Delay(5); });
  Press(SDL_SCANCODE_ESCAPE);
  WaitForMode(MainMenu);
  const bool ran = RunScript();
  if (savedDriver.empty())
    unsetenv("SDL_AUDIODRIVER");
  else
    setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
  unsetenv("SDL_DISKAUDIOFILE");
  ASSERT_TRUE(ran);

  const std::string raw = test::ReadFile("out.raw");
  std::vector<float> heard(raw.size() / sizeof(float));
  std::memcpy(heard.data(), raw.data(), heard.size() * sizeof(float));
  const std::vector<float> render = RenderSameNotes(static_cast<size_t>(2.1 * kRate));
  const std::vector<size_t> heardOnsets = Onsets(heard), renderOnsets = Onsets(render);
  ASSERT_EQ(heardOnsets.size(), 3u) << ::testing::PrintToString(heardOnsets) << " of " << heard.size() / 2;
  ASSERT_EQ(renderOnsets.size(), 3u);
  // Each strike, from its onset on through its tone and into the silence after it.
  constexpr size_t kSpan = 3000;
  for (size_t strike = 0; strike < 3; ++strike) {
    for (size_t frame = 0; frame < kSpan; ++frame)
      for (size_t channel = 0; channel < 2; ++channel)
        ASSERT_EQ(heard[2 * (heardOnsets[strike] + frame) + channel], render[2 * (renderOnsets[strike] + frame) + channel])
            << "strike " << strike << ", frame " << frame << ", channel " << channel;
  }
}

}  // namespace
