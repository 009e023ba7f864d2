// Mixing cost of our voice engine (see mix_cost.h for the work): an offline
// render, no device, in 240-frame passes (a 5 ms period) through the whole
// engine: note start, resampling for pitch, the stereo sum and the master
// limiter, the CPU time of the rendering thread.
//
//   mix_cost_voices [mono]     (a stereo sample unless told)
#include <cstdio>
#include <cstring>
#include <vector>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/sound/voice_engine.h"
#include "bench/mix_cost.h"

namespace {

constexpr int kPeriod = 240;
// An offline render of kBenchSeconds takes a few tens of milliseconds: it is
// repeated, each time with a fresh engine, so that the figure is as steady
// as the real-time ones of the other two.
constexpr int kRepeats = 20;

// CPU seconds of kBenchSeconds of output with voices voices of the sample at path.
double RenderOnce(const char* path, int voices) {
  VoiceEngine engine;
  engine.SetLatencyFrames(0);
  const std::vector<float> pitches = bench::VoicePitches(voices);
  static_assert(bench::kVoicesPerCopy == VoiceEngine::kVoicesPerSlot, "a copy of the sample per sound slot");
  for (int slot = 0; slot < bench::SlotsFor(voices); ++slot) engine.LoadSample(slot, path);
  for (int voice = 0; voice < voices; ++voice)  // each note takes its own voice
    engine.PlayNote(NoteSource::Main,
                    Note{bench::SlotOf(voice), bench::kVoiceVolume, pitches[static_cast<size_t>(voice)], 0});
  std::vector<float> out(kPeriod * 2);
  const double start = bench::ThreadCpuSeconds();
  for (int pass = 0; pass < bench::kBenchSeconds * VoiceEngine::kMixRate / kPeriod; ++pass)
    engine.Render(out.data(), kPeriod, 2, Basalt::TimeNs(pass) * kPeriod * Basalt::kNsPerSecond / VoiceEngine::kMixRate);
  const double seconds = bench::ThreadCpuSeconds() - start;
  int playing = 0;
  for (int record = 0; record < VoiceEngine::kVoiceRecords; ++record)
    playing += engine.GetVoice(record).state == VoiceEngine::kPlaying;
  if (playing != voices) std::printf("(only %d of %d voices played to the end)\n", playing, voices);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const int channels = argc > 1 && std::strcmp(argv[1], "mono") == 0 ? 1 : 2;
  const char* path = "mix_cost_voices.wav";
  bench::MakeNoiseSample(path, channels);
  bench::PrintHead("Our voice engine");
  for (int voices : bench::kVoiceCounts) {
    double seconds = 0.0;
    for (int repeat = 0; repeat < kRepeats; ++repeat) seconds += RenderOnce(path, voices);
    bench::PrintRow("voices", channels, voices, seconds / (kRepeats * bench::kBenchSeconds));
  }
  std::remove(path);
  return 0;
}
