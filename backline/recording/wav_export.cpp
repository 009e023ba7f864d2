#include "backline/recording/wav_export.h"

#include <sndfile.h>

#include <cmath>
#include <memory>
#include <vector>

#include "backline/recording/file_export.h"
#include "backline/recording/offline_render.h"
#include "basalt/fs/atomic_write.h"

namespace {

constexpr int kRate = 48000;
constexpr int kChannels = 2;
constexpr double kFullScale24 = 8388607.0;  // 2^23 - 1

using SoundFile = std::unique_ptr<SNDFILE, int (*)(SNDFILE*)>;

// Opens a 24-bit stereo WAV for writing on the descriptor (left open).
SoundFile OpenWav(int fd) {
  SF_INFO info = {};
  info.samplerate = kRate;
  info.channels = kChannels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
  return SoundFile(fd < 0 ? nullptr : sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE), &sf_close);
}

// Writes the render into file; why it failed, or empty.
std::string WriteRender(const RenderSource& source, SNDFILE* file) {
  std::vector<int> block;
  const bool rendered = RenderRecording(source, [&](const float* stereo, int frames) {
    block.resize(static_cast<size_t>(frames) * kChannels);
    for (size_t i = 0; i < block.size(); ++i) block[i] = WavSample24(stereo[i]);
    return sf_writef_int(file, block.data(), frames) == frames;
  });
  return rendered ? "" : sf_strerror(file);
}

std::string Export(const RenderSource& source, const char* path) {
  Basalt::AtomicFileWriter writer(path);
  SoundFile file = OpenWav(writer.Descriptor());
  if (!file) return writer.Descriptor() < 0 ? "the file cannot be created" : sf_strerror(nullptr);
  std::string why = WriteRender(source, file.get());
  if (!why.empty()) return why;
  file.reset();  // the header's sizes are written at close
  return writer.Commit() ? "" : "it cannot be saved to the disk";
}

}  // namespace

int32_t WavSample24(float sample) {
  const double clipped = std::fmax(-1.0, std::fmin(1.0, static_cast<double>(sample)));
  return static_cast<int32_t>(std::lround(clipped * kFullScale24) * 256);
}

std::string ExportRecordingWav(const RenderSource& source, const char* path) {
  return RunFileExport(path, [&] { return Export(source, path); });
}
