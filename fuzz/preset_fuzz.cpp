// A preset file, applied to a pad assignment over the sample bank of the game
// directory. The sound back end does nothing: loading samples is the WAV
// target's business.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "backline/pads/preset_file.h"
#include "backline/pads/sample_bank.h"
#include "backline/sound/sound_backend.h"
#include "fuzz/fuzz_support.h"

namespace {

const SampleBank* g_bank = nullptr;

bool LoadNothing(int, const char*) { return true; }
void StopNothing(int) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishEngineServices();
  g_soundBackend.LoadSample = &LoadNothing;
  g_soundBackend.StopSample = &StopNothing;
  auto* bank = new SampleBank;
  if (!DiscoverSampleBank(bank)) std::abort();  // run from the game directory
  g_bank = bank;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ScratchFile file(data, size);
  PadAssignment assignment;
  PadVolumes volumes;
  LoadPreset(file.Path(), &assignment, *g_bank, &volumes);
  return 0;
}
