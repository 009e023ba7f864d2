#include "tests/support/full_scale_sample.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace test {

DecodedSample WriteFullScaleSample(const std::string& source, const char* out) {
  DecodedSample sample;
  if (!DecodeSampleFile(source.c_str(), &sample)) {
    ADD_FAILURE() << "cannot decode " << source;
    return {};
  }
  float peak = 0.0f;
  for (float value : sample.samples) peak = std::max(peak, std::fabs(value));
  for (float& value : sample.samples) value /= peak;
  SF_INFO info = {};
  info.samplerate = kDecodedRate;
  info.channels = sample.channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(out, SFM_WRITE, &info);
  const sf_count_t frames = static_cast<sf_count_t>(sample.Frames());
  const bool written = file && sf_writef_float(file, sample.samples.data(), frames) == frames;
  if (file) sf_close(file);
  if (!written) {
    ADD_FAILURE() << "cannot write " << out;
    return {};
  }
  return sample;
}

}  // namespace test
