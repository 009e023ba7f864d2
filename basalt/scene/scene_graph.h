#pragma once
// The base of the application's scene graph. The application creates it,
// calls Initialize, hands it to Core::SetSceneGraph and destroys it in its
// own Shutdown; from SetSceneGraph on, the core calls Update once per frame
// and the graphics device calls Render(nullptr) once per frame, inside the
// 3D pass and before the 2D pass. Main thread only.

namespace Basalt {

class IBaseObject;

class ISceneGraph {
 public:
  virtual ~ISceneGraph() = default;
  virtual bool Initialize() = 0;
  virtual bool Update() { return true; }
  virtual bool Shutdown() { return true; }
  // Draws the tree from start; null means from the root.
  virtual void Render(IBaseObject* start) = 0;
};

}  // namespace Basalt
