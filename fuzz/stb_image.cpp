// stb_image built into the texture target and instrumented like our code, so
// the fuzzer sees the decoder's branches. The executable's definitions take
// the place of Debian's libstb for every caller, TextureGL included.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
