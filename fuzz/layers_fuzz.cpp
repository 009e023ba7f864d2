// The text of a layers file (the velocity layers beside a preset), parsed
// whole: a damaged file must be refused with a reason, never crash.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "backline/pads/layer_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishEngineServices();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto sets = std::make_unique<PadLayerSets>();
  std::string why;
  ParseLayerFile(std::string(reinterpret_cast<const char*>(data), size), sets.get(), &why);
  return 0;
}
