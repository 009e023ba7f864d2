#pragma once
// The four vertex layouts the renderer draws from. Every element sits in one
// interleaved stream; the attribute locations are fixed so that shader files
// can name them (see shader_gl.h).

namespace Basalt {

enum VertexType : unsigned {
  VTYPE_NONE = 0,
  VTYPE_P3T2_NBT = 1,  // 56 bytes: position, normal, texcoord, tangent, binormal (meshes)
  VTYPE_P3T2_N = 2,    // 32 bytes: position, normal, texcoord
  VTYPE_ORTHO = 3,     // 36 bytes: position, texcoord, colour as 4 floats (sprites)
  VTYPE_POINT = 4,     // 20 bytes: VertexPoint
};
constexpr unsigned kNumVertexTypes = 5;  // index 0 unused

// A point sprite: position, size, colour as packed ARGB.
struct VertexPoint {
  float x, y, z;
  float size;
  unsigned colour;
};

// Attribute locations, shared by every layout that has the element.
enum VertexAttribute : unsigned {
  kAttribPosition = 0,
  kAttribNormal = 1,
  kAttribTexCoord = 2,
  kAttribTangent = 3,
  kAttribBinormal = 4,
  kAttribColour = 5,
  kAttribPointSize = 6,
};

struct VertexElement {
  VertexAttribute attribute;
  unsigned components;  // floats, or 4 bytes of packed ARGB when packedColour
  unsigned offset;
  bool packedColour;
};

struct VertexLayout {
  unsigned stride;
  unsigned numElements;
  VertexElement elements[5];
};

// The layout of a type, or null for VTYPE_NONE and unknown values.
const VertexLayout* GetVertexLayout(VertexType type);

}  // namespace Basalt
