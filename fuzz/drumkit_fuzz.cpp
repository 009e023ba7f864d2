// The text of a kit's drumkit.xml, parsed whole: a damaged file must be
// refused with a reason, never crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "backline/kits/drumkit_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishEngineServices();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DrumKitFile kit;
  std::string why;
  ParseDrumKitFile(std::string(reinterpret_cast<const char*>(data), size), &kit, &why);
  return 0;
}
