// Mixing cost of our voice engine (see mix_cost.h for the work): an offline
// render, no device, in 240-frame passes (a 5 ms period) through the whole
// engine: note start, resampling for pitch, the stereo sum and the master
// limiter.
//
//   mix_cost_voices [mono]     (a stereo sample unless told)
#include <cstdio>
#include <cstring>
#include <vector>

#include "backline/sound/voice_engine.h"
#include "bench/mix_cost.h"

int main(int argc, char** argv) {
  const int channels = argc > 1 && std::strcmp(argv[1], "mono") == 0 ? 1 : 2;
  constexpr int kPeriod = 240;
  const char* path = "mix_cost_voices.wav";
  bench::MakeNoiseSample(path, channels);
  bench::PrintHead("Our voice engine");
  std::vector<float> out(kPeriod * 2);
  for (int voices : bench::kVoiceCounts) {
    VoiceEngine engine;
    engine.SetLatencyFrames(0);
    const std::vector<float> pitches = bench::VoicePitches(voices);
    for (int slot = 0; slot * VoiceEngine::kVoicesPerSlot < voices; ++slot) engine.LoadSample(slot, path);
    for (int voice = 0; voice < voices; ++voice)  // each note takes its own voice
      engine.PlayNote(NoteSource::Main, Note{voice / VoiceEngine::kVoicesPerSlot, bench::kVoiceVolume,
                                             pitches[static_cast<size_t>(voice)], 0});
    const double start = bench::ThreadCpuSeconds();
    for (int pass = 0; pass < bench::kBenchSeconds * VoiceEngine::kMixRate / kPeriod; ++pass)
      engine.Render(out.data(), kPeriod, 2, Basalt::TimeNs(pass) * kPeriod * Basalt::kNsPerSecond / VoiceEngine::kMixRate);
    const double perSecond = (bench::ThreadCpuSeconds() - start) / bench::kBenchSeconds;
    int playing = 0;
    for (int record = 0; record < VoiceEngine::kVoiceRecords; ++record)
      playing += engine.GetVoice(record).state == VoiceEngine::kPlaying;
    if (playing != voices) std::printf("(only %d of %d voices played to the end)\n", playing, voices);
    bench::PrintRow("voices", channels, voices, perSecond);
  }
  std::remove(path);
  return 0;
}
