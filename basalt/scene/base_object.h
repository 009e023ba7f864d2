#pragma once
// The base of every object of the 3D scene. It carries the name, the type
// identifier, the links of the object tree (the scene graph does the
// linking), position, rotation angles and scale (which the scene graph
// composes with the parent's into the orientation and the world position,
// once per frame), a shared mesh (not owned; from g_pMeshManager, valid until
// the core shuts down) with the object's own subset colours, and the flags
// the scene graph consults. Objects are created and destroyed by the
// application; main thread only.
#include "basalt/graphics/math3d.h"

namespace Basalt {

class IMesh;

class IBaseObject {
 public:
  static constexpr unsigned kNameCapacity = 64;
  static constexpr unsigned kMaxSubsetColours = 32;

  IBaseObject();
  virtual ~IBaseObject() = default;
  IBaseObject(const IBaseObject&) = delete;
  IBaseObject& operator=(const IBaseObject&) = delete;

  virtual bool Initialize() { return true; }
  virtual bool Update() { return true; }
  // Draws the mesh with world, in the object's subset colours.
  virtual void Render(const mat4& world);

  void SetName(const char* name);
  const char* GetName() const { return m_name; }
  IBaseObject* GetParent() const { return m_parent; }
  IBaseObject* GetChild() const { return m_child; }
  IBaseObject* GetSibling() const { return m_sibling; }
  IBaseObject* GetPrevSibling() const { return m_prevSibling; }
  // The links, set by the scene graph that builds the tree.
  void SetParent(IBaseObject* parent) { m_parent = parent; }
  void SetChild(IBaseObject* child) { m_child = child; }
  void SetSibling(IBaseObject* sibling) { m_sibling = sibling; }
  void SetPrevSibling(IBaseObject* sibling) { m_prevSibling = sibling; }
  unsigned GetTypeID() const { return m_typeID; }
  void SetRootNode(bool root) { m_rootNode = root; }
  void SetPlayer(bool player) { m_player = player; }
  bool IsPlayer() const { return m_player; }
  void SetAlwaysRender(bool always) { m_alwaysRender = always; }
  bool IsAlwaysRender() const { return m_alwaysRender; }
  // Colour i (below 32) of the object's subsets; others are ignored.
  void SetSubsetColor(unsigned i, float r, float g, float b, float a);
  // The second and first rows of the orientation, normalized.
  vec3f GetFacingVector() const;
  vec3f GetRightVector() const;
  // Unlinks the object from its siblings and parent and destroys it; its
  // children keep their links. Does nothing for a root node.
  void Release();

  IMesh* mesh = nullptr;
  vec3f position = {0.0f, 0.0f, 0.0f};  // relative to the parent
  vec3f rotation = {0.0f, 0.0f, 0.0f};  // angles about x, y and z, radians
  vec3f worldPosition = {0.0f, 0.0f, 0.0f};  // composed by the scene graph
  float orientation[3][3];  // rows: right, facing, third axis
  float scale = 1.0f;
  bool visible = true;
  float subsetColours[kMaxSubsetColours][4];

 protected:
  IBaseObject* m_parent = nullptr;
  IBaseObject* m_child = nullptr;
  IBaseObject* m_sibling = nullptr;
  IBaseObject* m_prevSibling = nullptr;
  unsigned m_typeID = 0;
  bool m_rootNode = false;
  bool m_player = false;
  bool m_alwaysRender = false;
  char m_name[kNameCapacity] = {};
};

}  // namespace Basalt
