// Mixing cost of FAudio doing our voice engine's work (see mix_cost.h): one
// source voice per note, float at 48 kHz, each with its frequency ratio and
// volume, into a 48 kHz stereo mastering voice. FAudio mixes on SDL's audio
// thread (SDL_AUDIODRIVER=dummy on a machine without sound, which calls back
// in real time); the benchmark wraps FAudio's engine procedure and counts
// that thread's CPU time across each call, so the figure is FAudio's mixing
// alone. Each voice count plays for kBenchSeconds of output.
//
//   SDL_AUDIODRIVER=dummy mix_cost_faudio [mono]
#include <FAudio.h>
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "bench/mix_cost.h"

namespace {

struct Measure {
  std::atomic<double> cpuSeconds{0.0};
  std::atomic<long> frames{0};
  uint32_t quantumFrames = 0;
};

void FAUDIOCALL TimedEngineProcedure(FAudioEngineCallEXT engine, FAudio* audio, float* output, void* user) {
  auto* measure = static_cast<Measure*>(user);
  const double start = bench::ThreadCpuSeconds();
  engine(audio, output);
  measure->cpuSeconds.store(measure->cpuSeconds.load() + bench::ThreadCpuSeconds() - start);
  measure->frames += measure->quantumFrames;
}

bool Check(uint32_t result, const char* what) {
  if (result != 0) std::fprintf(stderr, "FAudio: %s failed (0x%x)\n", what, result);
  return result == 0;
}

// Plays voices voices of sample and returns FAudio's CPU seconds per second of output.
double MeasureVoices(const DecodedSample& sample, int voices) {
  FAudio* audio = nullptr;
  if (!Check(FAudioCreate(&audio, 0, FAUDIO_DEFAULT_PROCESSOR), "FAudioCreate")) return 0.0;
  Measure measure;
  FAudio_SetEngineProcedureEXT(audio, TimedEngineProcedure, &measure);
  FAudioMasteringVoice* master = nullptr;
  if (!Check(FAudio_CreateMasteringVoice(audio, &master, 2, bench::kRate, 0, 0, nullptr), "CreateMasteringVoice"))
    return 0.0;
  uint32_t numerator = 0, denominator = 1;
  FAudio_GetProcessingQuantum(audio, &numerator, &denominator);
  measure.quantumFrames = static_cast<uint32_t>(static_cast<uint64_t>(bench::kRate) * numerator / denominator);
  FAudioWaveFormatEx format = {};
  format.wFormatTag = FAUDIO_FORMAT_IEEE_FLOAT;
  format.nChannels = static_cast<uint16_t>(sample.channels);
  format.nSamplesPerSec = bench::kRate;
  format.wBitsPerSample = 32;
  format.nBlockAlign = static_cast<uint16_t>(4 * sample.channels);
  format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
  // A copy of the sample for every five voices, as the voice engine's slots hold theirs.
  const std::vector<std::vector<float>> copies(static_cast<size_t>(bench::SlotsFor(voices)), sample.samples);
  const std::vector<float> pitches = bench::VoicePitches(voices);
  std::vector<FAudioSourceVoice*> sources;
  FAudio_StopEngine(audio);  // every voice starts in the same pass
  for (int voice = 0; voice < voices; ++voice) {
    FAudioSourceVoice* source = nullptr;
    if (!Check(FAudio_CreateSourceVoice(audio, &source, &format, 0, 2.0f, nullptr, nullptr, nullptr),
               "CreateSourceVoice"))
      break;
    FAudioBuffer buffer = {};
    buffer.Flags = FAUDIO_END_OF_STREAM;
    buffer.AudioBytes = static_cast<uint32_t>(sample.samples.size() * sizeof(float));
    buffer.pAudioData = reinterpret_cast<const uint8_t*>(copies[static_cast<size_t>(bench::SlotOf(voice))].data());
    FAudioSourceVoice_SubmitSourceBuffer(source, &buffer, nullptr);
    FAudioSourceVoice_SetFrequencyRatio(source, pitches[static_cast<size_t>(voice)], FAUDIO_COMMIT_NOW);
    FAudioVoice_SetVolume(source, bench::kVoiceVolume, FAUDIO_COMMIT_NOW);
    FAudioSourceVoice_Start(source, 0, FAUDIO_COMMIT_NOW);
    sources.push_back(source);
  }
  measure.cpuSeconds.store(0.0);
  measure.frames.store(0);
  FAudio_StartEngine(audio);
  while (measure.frames.load() < static_cast<long>(bench::kBenchSeconds) * bench::kRate) SDL_Delay(10);
  FAudio_StopEngine(audio);
  const double seconds = static_cast<double>(measure.frames.load()) / bench::kRate;
  for (FAudioSourceVoice* source : sources) FAudioVoice_DestroyVoice(source);
  FAudioVoice_DestroyVoice(master);
  FAudio_Release(audio);
  return measure.cpuSeconds.load() / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const int channels = argc > 1 && std::strcmp(argv[1], "mono") == 0 ? 1 : 2;
  const DecodedSample sample = bench::MakeNoiseSample("mix_cost_faudio.wav", channels);
  std::remove("mix_cost_faudio.wav");
  bench::PrintHead("FAudio");
  for (int voices : bench::kVoiceCounts) bench::PrintRow("FAudio", channels, voices, MeasureVoices(sample, voices));
  return 0;
}
