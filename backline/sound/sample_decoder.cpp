#include "backline/sound/sample_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "backline/sound/rate_converter.h"
#include "backline/sound/resample_mix.h"
#include "backline/sound/sound_file_source.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
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

// The channels a file of fileChannels decodes to: mono stays mono, anything
// else becomes stereo.
int DecodedChannels(int fileChannels) { return fileChannels == 1 ? 1 : 2; }

// Appends one frame of a file of `channels` channels, folded to the decoded
// channels: the odd-numbered channels (1, 3, ...) into the left, the even ones
// into the right, each side their mean.
void AppendFrame(const float* frame, int channels, std::vector<float>* out) {
  if (channels <= 2) {
    out->insert(out->end(), frame, frame + channels);
    return;
  }
  float left = 0.0f, right = 0.0f;
  for (int channel = 0; channel < channels; channel += 2) left += frame[channel];
  for (int channel = 1; channel < channels; channel += 2) right += frame[channel];
  const int leftCount = (channels + 1) / 2;
  out->push_back(left / static_cast<float>(leftCount));
  out->push_back(right / static_cast<float>(channels - leftCount));
}

// Reads every frame of file at its own rate, folded to the decoded channels;
// why it stops early, or empty.
std::string ReadFrames(SNDFILE* file, const SF_INFO& info, std::vector<float>* out) {
  const sf_count_t maxFrames = MaxFrames(info);
  const int channels = info.channels;
  const size_t outChannels = static_cast<size_t>(DecodedChannels(channels));
  const sf_count_t blockFrames = std::max<sf_count_t>(1, kBlockSamples / channels);
  std::vector<float> block(static_cast<size_t>(blockFrames * channels));
  // Room for the padding the voice engine appends.
  if (info.frames != SF_COUNT_MAX) out->reserve(static_cast<size_t>(info.frames) * outChannels + kMixPaddingSamples);
  sf_count_t frames = 0;
  for (sf_count_t got; (got = sf_readf_float(file, block.data(), blockFrames)) > 0;) {
    frames += got;
    if (frames > maxFrames) return TooLong(frames, info.samplerate);
    for (sf_count_t frame = 0; frame < got; ++frame) AppendFrame(block.data() + frame * channels, channels, out);
  }
  return {};
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
  const int channels = DecodedChannels(info.channels);
  std::vector<float> samples;
  why = ReadFrames(file.get(), info, &samples);
  if (why.empty() && info.samplerate != kDecodedRate)
    why = ConvertRate(samples, channels, info.samplerate, kDecodedRate, &samples);
  if (!why.empty()) return why;
  if (samples.empty()) return "it holds no sound";
  out->samples = std::move(samples);
  out->channels = channels;
  return {};
}

}  // namespace

bool DecodeSampleFile(const char* path, DecodedSample* out) {
  return Basalt::RunGuarded(kAction, path, false, [&] {
    const std::string why = path ? Decode(path, out) : "no file named";
    if (!why.empty()) Basalt::LogMessage("%s %s: %s", kAction, path ? path : "(null)", why.c_str());
    return why.empty();
  });
}
