#pragma once
// The program's tree of 3D objects. It owns the root object and every object
// created through CreateObject until RemoveObject or Shutdown destroys it;
// the name table holds copies of the names, never the objects, and it owns
// the program's star field, drawn first in every walk of the whole tree.
// GameApp creates it, calls Initialize, hands it to Core::SetSceneGraph and
// calls Shutdown before destroying it. Main thread only.
#include <cassert>
#include <memory>

#include "basalt/graphics/point_list.h"
#include "basalt/scene/base_object.h"
#include "basalt/scene/scene_graph.h"
#include "basalt/util/string_hash.h"

class SceneGraph : public Basalt::ISceneGraph {
 public:
  static constexpr unsigned kNameBuckets = 17;

  SceneGraph();
  // Objects still in the tree are not destroyed here: call Shutdown first.
  ~SceneGraph() override = default;
  SceneGraph(const SceneGraph&) = delete;
  SceneGraph& operator=(const SceneGraph&) = delete;

  // Makes the star field (empty) on g_pGraphics, when there is one. Always true.
  bool Initialize() override;
  // Composes every transform, then updates every object. Without a camera
  // the frame is skipped.
  bool Update() override;
  // Destroys every object, the root and the star field; nothing may be
  // created afterwards.
  bool Shutdown() override;
  // Draws start (null: the star field, then the root) and everything the walk
  // reaches from it.
  void Render(Basalt::IBaseObject* start) override;
  // Calls Update of obj (null: the root) and everything the walk reaches.
  virtual void UpdateObjects(Basalt::IBaseObject* obj);
  // Turns rotation, scale and the parent's transform into the orientation
  // and world position of obj (null: the root) and everything after it.
  virtual void UpdateTransforms(Basalt::IBaseObject* obj);

  // A new T named name (null: unnamed) as the first child of parent (null:
  // the root). Its Initialize is the caller's to call. Owned by the graph.
  template <typename T>
  T* CreateObject(const char* name, Basalt::IBaseObject* parent) {
    assert(m_rootObject && "m_rootObject");
    T* object = new T();
    Attach(object, name, parent);
    return object;
  }

  // Not owned; the object whose Update sets the view. Null stops updates.
  void SetCamera(Basalt::IBaseObject* camera) { m_cameraObj = camera; }
  // The first object created under name that is still named, or null.
  Basalt::IBaseObject* FindObject(const char* name) const;
  // Destroys obj with its subtree and every later sibling with theirs, and
  // forgets their names (and the camera, if it was among them). Removing the
  // root removes everything, as Shutdown does.
  void RemoveObject(Basalt::IBaseObject* obj);
  Basalt::IBaseObject* GetRootObject() const { return m_rootObject; }
  // Null before Initialize, after Shutdown, or without a graphics device.
  Basalt::IPointList* GetStarField() const { return m_starField.get(); }

 private:
  void Attach(Basalt::IBaseObject* object, const char* name, Basalt::IBaseObject* parent);
  static void ComposeTransform(Basalt::IBaseObject* object);

  Basalt::IBaseObject* m_rootObject;
  Basalt::IBaseObject* m_cameraObj = nullptr;
  util::StringHash m_objectNames;
  std::unique_ptr<Basalt::IPointList> m_starField;
};
