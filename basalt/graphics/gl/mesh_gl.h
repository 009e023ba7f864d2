#pragma once
// MeshGL reads the GMSH format (binary, little-endian, no header):
//
//   uint32 subset count, then per subset:
//     char[64] material name (zero-terminated, zero-padded)
//     uint32 index count (a multiple of 3), uint16 indices[index count]
//     uint32 vertex count, 56-byte VTYPE_P3T2_NBT vertices[vertex count]
//
// Indices count from 0 within their subset. Every count is checked against
// the bytes left and every index against its subset's vertices: a truncated
// or damaged file is refused whole. A subset whose material is unknown takes
// "NoMaterial" (a subset with no material at all is not drawn).
#include "basalt/graphics/mesh.h"

namespace Basalt {

class MeshGL : public IMesh {
 public:
  static constexpr unsigned kMaterialNameBytes = 64;
  static constexpr unsigned kVertexStride = 56;
  static constexpr const char* kFallbackMaterial = "NoMaterial";

  ~MeshGL() override { Clear(); }

  // False when the file cannot be read or is damaged, or memory runs out
  // (with a log line); nothing is kept then. Never throws.
  bool LoadGMSH(const char* path) override;
  bool Render(const mat4& world, int subset) override;
  void Clear() override;

 private:
  bool ReadGMSH(const char* path);
  void RenderSubset(MeshSubset& subset);
};

}  // namespace Basalt
