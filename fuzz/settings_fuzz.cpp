// Settings text: once through the parser that executes settings files (its
// values land in the registered console variables), then through the
// tokenizer alone in the mode chosen by the first byte, mixing token and
// value reads as the material and settings parsers do.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/text_tokenizer.h"
#include "fuzz/fuzz_support.h"

namespace {

void WalkTokens(unsigned mode, const char* text, unsigned length) {
  Basalt::TextTokenizer tokens(text, length);
  tokens.SetPunctuationSplitting(mode & 1);
  tokens.SetLineBreakTokens(mode & 2);
  for (unsigned step = mode >> 2; tokens.NextToken(); ++step) {
    if (std::strlen(tokens.Token()) >= Basalt::TextTokenizer::kTokenCapacity) std::abort();
    switch (step % 6) {
      case 0: tokens.ReadInt(); break;
      case 1: tokens.ReadUnsigned(); break;
      case 2: tokens.ReadBool(); break;
      case 3: tokens.ReadFloat(); break;
      case 4:
        if (std::strlen(tokens.ReadWord()) >= Basalt::TextTokenizer::kTokenCapacity) std::abort();
        break;
      default: break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishEngineServices();
  RegisterProgramSettings();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const auto length = static_cast<unsigned>(size);
  Basalt::CVarSystem settings;
  settings.ParseFile(text, length, "settings.cfg");
  if (size > 0) WalkTokens(data[0], text + 1, length - 1);
  return 0;
}
