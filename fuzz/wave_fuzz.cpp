// A WAV file, loaded into a sound slot of the voice engine the way a pad's
// sample is: the RIFF reader, the format and data chunks, then the decoder.
// No audio device is opened; loading needs none.
#include <cstddef>
#include <cstdint>

#include "backline/sound/voice_engine.h"
#include "fuzz/fuzz_support.h"

namespace {
VoiceEngine* g_engine = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishEngineServices();
  g_engine = new VoiceEngine;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ScratchFile file(data, size);
  g_engine->LoadSample(0, file.Path());
  g_engine->StopSample(0);
  return 0;
}
