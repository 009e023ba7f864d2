#include "bench/mix_cost.h"

#include <sndfile.h>
#include <time.h>

#include <cstdio>
#include <random>

#include "backline/common/app_cvars.h"
#include "backline/sound/sound_backend.h"

namespace bench {

namespace {

constexpr int kSampleSeconds = 6;

}  // namespace

DecodedSample MakeNoiseSample(const char* path, int channels) {
  std::minstd_rand random(7);
  std::uniform_real_distribution<float> level(-0.25f, 0.25f);
  std::vector<float> noise(static_cast<size_t>(kSampleSeconds) * kRate * static_cast<size_t>(channels));
  for (float& sample : noise) sample = level(random);
  SF_INFO info = {};
  info.samplerate = kRate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path, SFM_WRITE, &info);
  if (!file || sf_writef_float(file, noise.data(), kSampleSeconds * kRate) != kSampleSeconds * kRate)
    std::fprintf(stderr, "cannot write %s: %s\n", path, sf_strerror(file));
  if (file) sf_close(file);
  DecodedSample sample;
  if (!DecodeSampleFile(path, &sample)) std::fprintf(stderr, "cannot decode %s\n", path);
  return sample;
}

std::vector<float> VoicePitches(int count) {
  g_freqVariation = 30;
  uint32_t seed = 1;
  std::vector<float> pitches;
  for (int voice = 0; voice < count; ++voice) pitches.push_back(PickPitch(&seed));
  return pitches;
}

double ThreadCpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void PrintHead(const char* title) {
  std::printf("## %s\n\n| engine | sample | voices | CPU ms per s of output | per voice: CPU us per s |\n"
              "|---|---|---:|---:|---:|\n",
              title);
}

void PrintRow(const char* engine, int channels, int voices, double cpuSecondsPerSecond) {
  std::printf("| %s | %s | %d | %.2f | %.1f |\n", engine, channels == 1 ? "mono" : "stereo", voices,
              cpuSecondsPerSecond * 1e3, cpuSecondsPerSecond * 1e6 / voices);
  std::fflush(stdout);
}

}  // namespace bench
