#include "basalt/graphics/mesh.h"


namespace Basalt {

IMesh::IMesh() = default;

IMesh::~IMesh() = default;

void IMesh::SetSubsetColor(unsigned i, float r, float g, float b, float a) {
  const float rgba[4] = {r, g, b, a};
  SetSubsetColor(i, rgba);
}

void IMesh::SetSubsetColor(unsigned i, const float* rgba) {
  if (i >= m_subsets.size()) return;
  for (int c = 0; c < 4; ++c) m_subsets[i].colour[c] = rgba[c];
}

}  // namespace Basalt
