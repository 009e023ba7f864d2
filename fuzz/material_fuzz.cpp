// The material file, parsed with a live OpenGL device in the game directory:
// the shaders and textures it names load when they exist. Every object is
// released after each input, so one input cannot change the next one's run.
#include <cstddef>
#include <cstdint>

#include "basalt/graphics/material_file.h"
#include "basalt/graphics/material_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Basalt::ParseMaterialFile(reinterpret_cast<const char*>(data), static_cast<unsigned>(size), "materials.txt");
  Basalt::g_pMaterialManager->Shutdown();
  return 0;
}
