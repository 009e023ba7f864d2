#include "basalt/scene/base_object.h"

#include <cstring>

#include "basalt/graphics/mesh.h"

namespace Basalt {

IBaseObject::IBaseObject() : orientation{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}} {
  for (auto& colour : subsetColours)
    for (float& channel : colour) channel = 1.0f;
}

void IBaseObject::Render(const mat4& world) {
  if (!mesh) return;
  const unsigned subsets = mesh->GetNumSubsets();
  for (unsigned i = 0; i < subsets && i < kMaxSubsetColours; ++i) mesh->SetSubsetColor(i, subsetColours[i]);
  mesh->Render(world, -1);
}

void IBaseObject::SetName(const char* name) {
  std::strncpy(m_name, name ? name : "", kNameCapacity - 1);
  m_name[kNameCapacity - 1] = '\0';
}

void IBaseObject::SetSubsetColor(unsigned i, float r, float g, float b, float a) {
  if (i >= kMaxSubsetColours) return;
  subsetColours[i][0] = r;
  subsetColours[i][1] = g;
  subsetColours[i][2] = b;
  subsetColours[i][3] = a;
}

vec3f IBaseObject::GetFacingVector() const {
  return Normalize({orientation[1][0], orientation[1][1], orientation[1][2]});
}

vec3f IBaseObject::GetRightVector() const {
  return Normalize({orientation[0][0], orientation[0][1], orientation[0][2]});
}

void IBaseObject::Release() {
  if (m_rootNode) return;
  if (m_prevSibling) m_prevSibling->m_sibling = m_sibling;
  if (m_sibling) m_sibling->m_prevSibling = m_prevSibling;
  if (m_parent && m_parent->m_child == this) m_parent->m_child = m_sibling;
  delete this;
}

}  // namespace Basalt
