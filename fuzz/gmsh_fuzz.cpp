// A GMSH mesh file, loaded into OpenGL buffers.
#include <cstddef>
#include <cstdint>

#include "basalt/graphics/gl/mesh_gl.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ScratchFile file(data, size);
  Basalt::MeshGL mesh;
  mesh.LoadGMSH(file.Path());
  return 0;
}
