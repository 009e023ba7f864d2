// The tree is kept in the objects' own links: each object points at its
// parent, its first child and its next and previous siblings, and a new
// object is pushed in front of its parent's children, so the latest-created
// child comes first.
//
// Every walk takes an object, then its next sibling (which carries on through
// all later siblings and their subtrees), then its first child. A parent is
// always reached before its children, which is all the transform walk needs:
// an object's orientation is its own rotation times its parent's finished
// orientation (scale included, so scale compounds down the tree), and its
// world position is the parent's plus its position turned by the parent's
// orientation. The walks recurse once per sibling as well as per level, so
// their depth is the length of the longest sibling chain (a board's 256
// notes) plus the tree's height.
#include "backline/scene/scene_graph.h"

#include <cmath>

#include "basalt/graphics/graphics_device.h"

SceneGraph::SceneGraph() : m_rootObject(new Basalt::IBaseObject()), m_objectNames(kNameBuckets) {
  m_rootObject->SetRootNode(true);
}

void SceneGraph::Attach(Basalt::IBaseObject* object, const char* name, Basalt::IBaseObject* parent) {
  if (name) {
    object->SetName(name);
    m_objectNames.Insert(name, object);
  }
  if (!parent) parent = m_rootObject;
  Basalt::IBaseObject* formerFirst = parent->GetChild();
  object->SetSibling(formerFirst);
  if (formerFirst) formerFirst->SetPrevSibling(object);
  parent->SetChild(object);
  object->SetParent(parent);
}

Basalt::IBaseObject* SceneGraph::FindObject(const char* name) const {
  return static_cast<Basalt::IBaseObject*>(m_objectNames.Find(name));
}

void SceneGraph::RemoveObject(Basalt::IBaseObject* obj) {
  if (!obj) return;
  RemoveObject(obj->GetChild());
  RemoveObject(obj->GetSibling());
  if (obj == m_cameraObj) m_cameraObj = nullptr;
  m_objectNames.Remove(obj->GetName(), obj);
  if (obj == m_rootObject) {  // a root node does not release itself
    m_rootObject = nullptr;
    delete obj;
    return;
  }
  obj->Release();
}

bool SceneGraph::Initialize() {
  if (Basalt::g_pGraphics) m_starField = Basalt::g_pGraphics->CreatePointList();
  return true;
}

bool SceneGraph::Shutdown() {
  RemoveObject(m_rootObject);
  m_starField.reset();
  return true;
}

bool SceneGraph::Update() {
  if (!m_cameraObj) return true;
  UpdateTransforms(m_rootObject);
  UpdateObjects(m_rootObject);
  return true;
}

void SceneGraph::UpdateObjects(Basalt::IBaseObject* obj) {
  if (!obj) obj = m_rootObject;
  if (!obj) return;
  obj->Update();
  if (obj->GetSibling()) UpdateObjects(obj->GetSibling());
  if (obj->GetChild()) UpdateObjects(obj->GetChild());
}

void SceneGraph::UpdateTransforms(Basalt::IBaseObject* obj) {
  if (!obj) obj = m_rootObject;
  if (!obj) return;
  ComposeTransform(obj);
  if (obj->GetSibling()) UpdateTransforms(obj->GetSibling());
  if (obj->GetChild()) UpdateTransforms(obj->GetChild());
}

void SceneGraph::ComposeTransform(Basalt::IBaseObject* object) {
  const Basalt::vec3f angle = object->rotation;
  const float cx = std::cos(angle.x), sx = std::sin(angle.x);
  const float cy = std::cos(angle.y), sy = std::sin(angle.y);
  const float cz = std::cos(angle.z), sz = std::sin(angle.z);
  const float own[3][3] = {
      {cy * cz, cy * sz, -sy},
      {sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy},
      {cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy},
  };
  const Basalt::IBaseObject* parent = object->GetParent();
  if (!parent) {
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) object->orientation[row][col] = own[row][col];
    object->worldPosition = object->position;
    return;
  }
  const float(&up)[3][3] = parent->orientation;
  const Basalt::vec3f p = object->position;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      object->orientation[row][col] =
          (own[row][0] * up[0][col] + own[row][1] * up[1][col] + own[row][2] * up[2][col]) * object->scale;
  object->worldPosition = {
      parent->worldPosition.x + p.x * up[0][0] + p.y * up[1][0] + p.z * up[2][0],
      parent->worldPosition.y + p.x * up[0][1] + p.y * up[1][1] + p.z * up[2][1],
      parent->worldPosition.z + p.x * up[0][2] + p.y * up[1][2] + p.z * up[2][2],
  };
}

// Drawn when visible and of a drawable type, or whenever flagged always-render.
void SceneGraph::Render(Basalt::IBaseObject* start) {
  if (!start && m_starField) m_starField->Render(Basalt::mat4::Identity());
  Basalt::IBaseObject* obj = start ? start : m_rootObject;
  if (!obj) return;
  const bool drawn = obj->IsAlwaysRender() || (obj->visible && obj->GetTypeID() != 0);
  if (drawn) {
    const float(&o)[3][3] = obj->orientation;
    const Basalt::vec3f w = obj->worldPosition;
    const Basalt::mat4 world = {{
        {o[0][0], o[0][1], o[0][2], 0.0f},
        {o[1][0], o[1][1], o[1][2], 0.0f},
        {o[2][0], o[2][1], o[2][2], 0.0f},
        {w.x, w.y, w.z, 1.0f},
    }};
    obj->Render(world);
  }
  if (obj->GetSibling()) Render(obj->GetSibling());
  if (obj->GetChild()) Render(obj->GetChild());
}
