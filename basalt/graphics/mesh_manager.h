#pragma once
// The meshes of the game folder, loaded once at start-up and handed out by
// file name. The core creates the one manager after the graphics device and
// publishes it as g_pMeshManager; it owns the meshes until its Shutdown, which
// comes before the device's. Main thread only.
#include "basalt/graphics/mesh.h"

namespace Basalt {

class IMeshManager {
 public:
  virtual ~IMeshManager() = default;
  // Loads every mesh file; one that fails is logged and left out. Always true.
  virtual bool Initialize() = 0;
  // Exact, case-sensitive file name with its extension ("drumset.gmsh"); null
  // when absent or failed. Valid until Shutdown.
  virtual IMesh* GetMesh(const char* fileName) const = 0;
  virtual void Shutdown() = 0;
};

extern IMeshManager* g_pMeshManager;

}  // namespace Basalt
