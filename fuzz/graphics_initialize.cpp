// The start of every target that needs an OpenGL context.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::PublishGraphics();
  return 0;
}
