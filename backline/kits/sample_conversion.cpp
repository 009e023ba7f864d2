// Integer sources are copied through libsndfile's int path (left-justified
// 32-bit), so a WAV or FLAC at gain 1 comes out bit for bit; float sources
// through the float path.
#include "backline/kits/sample_conversion.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "backline/sound/sample_decoder.h"
#include "backline/sound/sound_file_source.h"
#include "basalt/foundation/exception_boundary.h"

namespace {

using SoundFile = std::unique_ptr<SNDFILE, int (*)(SNDFILE*)>;
constexpr sf_count_t kBlockFrames = 4096;

sf_count_t MaxFrames(const SF_INFO& info) { return static_cast<sf_count_t>(info.samplerate) * kMaxSampleSeconds; }

bool IsFloat(int subtype) {
  return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE || subtype == SF_FORMAT_VORBIS ||
         subtype == SF_FORMAT_OPUS;
}

int OutputSubtype(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_ALAC_20:
    case SF_FORMAT_ALAC_24:
    case SF_FORMAT_DWVW_24:
      return SF_FORMAT_PCM_24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_ALAC_32:
      return SF_FORMAT_PCM_32;
    default:
      return IsFloat(format & SF_FORMAT_SUBMASK) ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16;
  }
}

std::string TooLong(const SF_INFO& info) {
  char text[96];
  std::snprintf(text, sizeof text, "it lasts longer than the %d s a sample may last", kMaxSampleSeconds);
  return info.frames == 0 ? "it holds no sound" : text;
}

std::string CheckShape(const SF_INFO& info) {
  if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate) {
    char text[96];
    std::snprintf(text, sizeof text, "its rate of %d Hz is outside the %d to %d Hz a sample may have", info.samplerate,
                  kMinSampleRate, kMaxSampleRate);
    return text;
  }
  if (info.frames == 0 || (info.frames != SF_COUNT_MAX && info.frames > MaxFrames(info))) return TooLong(info);
  return {};
}

void Scale(int* samples, size_t count, double gain) {
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int>(std::lround(samples[i] * gain));
}

void Scale(float* samples, size_t count, double gain) {
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<float>(samples[i] * gain);
}

sf_count_t ReadFrames(SNDFILE* file, int* block, sf_count_t frames) { return sf_readf_int(file, block, frames); }
sf_count_t ReadFrames(SNDFILE* file, float* block, sf_count_t frames) { return sf_readf_float(file, block, frames); }
sf_count_t WriteFrames(SNDFILE* file, int* block, sf_count_t frames) { return sf_writef_int(file, block, frames); }
sf_count_t WriteFrames(SNDFILE* file, float* block, sf_count_t frames) { return sf_writef_float(file, block, frames); }

// Copies every frame from in to out through samples of type Sample; what
// went wrong, or empty.
template <typename Sample>
std::string Copy(SNDFILE* in, SNDFILE* out, const SF_INFO& info, double gain) {
  std::vector<Sample> block(static_cast<size_t>(kBlockFrames * info.channels));
  sf_count_t total = 0;
  for (sf_count_t got; (got = ReadFrames(in, block.data(), kBlockFrames)) > 0;) {
    total += got;
    if (total > MaxFrames(info)) return TooLong(info);
    Scale(block.data(), static_cast<size_t>(got * info.channels), gain);
    if (WriteFrames(out, block.data(), got) != got) return std::string("it cannot be written: ") + sf_strerror(out);
  }
  if (total == 0) return "it holds no sound";
  return sf_error(in) == SF_ERR_NO_ERROR ? std::string() : std::string("it is damaged: ") + sf_strerror(in);
}

std::string Convert(const std::string& from, const std::string& to, double gain) {
  std::error_code error;
  if (!std::filesystem::exists(from, error)) return "there is no such file";
  if (!std::filesystem::is_regular_file(from, error)) return "it is a folder or a device, not a file";
  SoundFileSource source(from.c_str());
  if (!source.IsOpen()) return "the file cannot be opened";
  SF_INFO info = {};
  const SoundFile in(sf_open_virtual(SoundFileSource::Callbacks(), SFM_READ, &info, &source), &sf_close);
  if (!in) return std::string("it is not a sound file libsndfile reads: ") + sf_strerror(nullptr);
  if (std::string bad = CheckShape(info); !bad.empty()) return bad;
  SF_INFO outInfo = {};
  outInfo.samplerate = info.samplerate;
  outInfo.channels = info.channels;
  outInfo.format = SF_FORMAT_WAV | OutputSubtype(info.format);
  const SoundFile out(sf_open(to.c_str(), SFM_WRITE, &outInfo), &sf_close);
  if (!out) return std::string("the converted file cannot be written: ") + sf_strerror(nullptr);
  const std::string bad = IsFloat(info.format & SF_FORMAT_SUBMASK) ? Copy<float>(in.get(), out.get(), info, gain)
                                                                   : Copy<int>(in.get(), out.get(), info, gain);
  sf_write_sync(out.get());
  return bad;
}

}  // namespace

bool ConvertToWav(const std::string& from, const std::string& to, double gain, std::string* why) {
  *why = Basalt::RunGuarded("Cannot convert", from.c_str(), std::string("there is not enough memory to convert it"),
                            [&] { return Convert(from, to, gain); });
  if (why->empty()) return true;
  std::error_code error;
  std::filesystem::remove(to, error);
  return false;
}
