#include "backline/sound/sample_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "backline/sound/sound_file_source.h"
#include "basalt/core/exception_boundary.h"
#include "basalt/core/log.h"
#include "basalt/fs/path.h"

namespace {

namespace fs = std::filesystem;

const char kAction[] = "Failed to read WAV file";
// Samples read from libsndfile at a time, all channels together.
constexpr sf_count_t kBlockSamples = 16384;

using SoundFile = std::unique_ptr<SNDFILE, int (*)(SNDFILE*)>;

std::string TooLong(sf_count_t frames, int rate) {
  char text[128];
  std::snprintf(text, sizeof text, "it lasts %g s, and a sample may last at most %d s",
                static_cast<double>(frames) / rate, kMaxSampleSeconds);
  return text;
}

std::string RateOutOfRange(int rate) {
  char text[128];
  std::snprintf(text, sizeof text, "its rate of %d Hz is outside the %d to %d Hz a sample may have", rate,
                kMinSampleRate, kMaxSampleRate);
  return text;
}

sf_count_t MaxFrames(const SF_INFO& info) { return static_cast<sf_count_t>(info.samplerate) * kMaxSampleSeconds; }

// Why a file of this rate and length cannot be a sample, or empty. An
// unknown length (SF_COUNT_MAX) is checked while reading.
std::string CheckShape(const SF_INFO& info) {
  if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate) return RateOutOfRange(info.samplerate);
  if (info.frames != SF_COUNT_MAX && info.frames > MaxFrames(info)) return TooLong(info.frames, info.samplerate);
  return {};
}

// Reads every frame of file into mono, averaging the channels; why it stops
// early, or empty.
std::string ReadMono(SNDFILE* file, const SF_INFO& info, std::vector<float>* mono) {
  const sf_count_t maxFrames = MaxFrames(info);
  const int channels = info.channels;
  const sf_count_t blockFrames = std::max<sf_count_t>(1, kBlockSamples / channels);
  std::vector<float> block(static_cast<size_t>(blockFrames * channels));
  // Room for the guard sample the voice engine appends.
  if (info.frames != SF_COUNT_MAX) mono->reserve(static_cast<size_t>(info.frames) + 1);
  for (sf_count_t got; (got = sf_readf_float(file, block.data(), blockFrames)) > 0;) {
    if (static_cast<sf_count_t>(mono->size()) + got > maxFrames)
      return TooLong(static_cast<sf_count_t>(mono->size()) + got, info.samplerate);
    for (sf_count_t frame = 0; frame < got; ++frame) {
      const float* first = block.data() + frame * channels;
      float sum = 0.0f;
      for (int channel = 0; channel < channels; ++channel) sum += first[channel];
      mono->push_back(sum / static_cast<float>(channels));
    }
  }
  return mono->empty() ? "it holds no sound" : "";
}

// Decodes the file at path into out; why it cannot, or empty.
std::string Decode(const char* path, DecodedSample* out) {
  const std::string resolved = Basalt::ResolvePath(path);
  std::error_code ec;
  const fs::file_status status = fs::status(resolved, ec);
  if (!fs::exists(status)) return "there is no such file";
  if (!fs::is_regular_file(status)) return "it is a folder or a device, not a file";
  SoundFileSource source(resolved.c_str());
  if (!source.IsOpen()) return "the file cannot be opened";
  SF_INFO info = {};
  const SoundFile file(sf_open_virtual(SoundFileSource::Callbacks(), SFM_READ, &info, &source), &sf_close);
  if (!file) return sf_strerror(nullptr);
  std::string why = CheckShape(info);
  if (!why.empty()) return why;
  std::vector<float> mono;
  why = ReadMono(file.get(), info, &mono);
  if (!why.empty()) return why;
  out->frames = std::move(mono);
  out->rate = info.samplerate;
  return {};
}

}  // namespace

bool DecodeSampleFile(const char* path, DecodedSample* out) {
  return Basalt::RunGuarded(kAction, path, false, [&] {
    const std::string why = path ? Decode(path, out) : "no file named";
    if (!why.empty() && Basalt::g_pSystemLog)
      Basalt::g_pSystemLog->Send("%s %s: %s", kAction, path ? path : "(null)", why.c_str());
    return why.empty();
  });
}
