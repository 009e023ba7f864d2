// A recording file: decoded from memory, and when it is a recording, encoded
// and decoded again, which must give the same bytes; and loaded from a file,
// which checks the size its header and counts imply before reading the
// events: it must take exactly what the decoder takes, less the files with
// bytes past their recording.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "backline/recording/plr_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Recording recording;
  const bool decoded = DecodeRecording(data, size, &recording);
  fuzz::ScratchFile file(data, size);
  Recording loaded;
  if (LoadRecordingFile(file.Path(), &loaded) && (!decoded || EncodeRecording(loaded) != EncodeRecording(recording)))
    std::abort();
  if (!decoded) return 0;
  const std::vector<uint8_t> image = EncodeRecording(recording);
  Recording again;
  if (!DecodeRecording(image.data(), image.size(), &again) || EncodeRecording(again) != image) std::abort();
  return 0;
}
