#include "backline/sound/rate_converter.h"

#include <samplerate.h>

#include <cassert>
#include <cmath>

namespace {

// Flat to 90 % of the lower rate's band, 97 dB down beyond it, and quick
// enough to convert a whole bank at start-up.
constexpr int kConverter = SRC_SINC_MEDIUM_QUALITY;

}  // namespace

std::string ConvertRate(const std::vector<float>& samples, int channels, int fromRate, int toRate,
                        std::vector<float>* out) {
  assert(channels > 0 && fromRate > 0 && toRate > 0 && samples.size() % static_cast<size_t>(channels) == 0);
  const long frames = static_cast<long>(samples.size() / static_cast<size_t>(channels));
  const double ratio = static_cast<double>(toRate) / fromRate;
  const long room = static_cast<long>(std::ceil(static_cast<double>(frames) * ratio)) + 1;
  std::vector<float> converted(static_cast<size_t>(room) * static_cast<size_t>(channels));
  SRC_DATA data = {};
  data.data_in = samples.data();
  data.data_out = converted.data();
  data.input_frames = frames;
  data.output_frames = room;
  data.src_ratio = ratio;
  data.end_of_input = 1;
  if (const int error = src_simple(&data, kConverter, channels))
    return std::string("its rate cannot be converted: ") + src_strerror(error);
  converted.resize(static_cast<size_t>(data.output_frames_gen) * static_cast<size_t>(channels));
  *out = std::move(converted);
  return {};
}
