// A recording file image: decoded, and when it is a recording, encoded and
// decoded again, which must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "backline/recording/plr_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plrInfo recording;
  if (!DecodeRecording(data, size, &recording)) return 0;
  const std::vector<uint8_t> image = EncodeRecording(recording);
  plrInfo again;
  if (!DecodeRecording(image.data(), image.size(), &again) || EncodeRecording(again) != image) std::abort();
  return 0;
}
