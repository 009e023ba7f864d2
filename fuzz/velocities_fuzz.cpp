// A velocity side file: decoded from memory, and when it is one, encoded
// again, which must give the same bytes; and loaded from a file beside a
// recording, which checks the size its counts imply before reading the
// velocities: the recording must take it only when the decoder takes it and
// it belongs to that recording (the hand-made seed does).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "backline/recording/plrv_file.h"
#include "fuzz/fuzz_support.h"

namespace {

// The recording of the recording target's hand-made seed: pad slot 0 struck
// at 0, 500 and 1000 ms.
Recording SeedRecording() {
  Recording recording;
  recording.length = 1000;
  recording.tracks[0] = {0, 500, 1000};
  for (float& volume : recording.volumes) volume = 1.0f;
  return recording;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VelocityFile info;
  const bool decoded = DecodeVelocities(data, size, &info) == nullptr;
  if (decoded && EncodeVelocities(info) != std::vector<uint8_t>(data, data + size)) std::abort();
  Recording recording = SeedRecording();
  const std::vector<uint8_t> plrImage = EncodeRecording(recording);
  const fuzz::ScratchFile plr(plrImage.data(), plrImage.size(), ".plr");
  const fuzz::ScratchFile side(data, size, ".plrv");
  if (LoadVelocityFile(plr.Path(), plrImage, &recording) && (!decoded || MatchVelocities(info, plrImage, recording)))
    std::abort();
  return 0;
}
