#pragma once
// Loads every "meshes/*.gmsh" once at start-up and hands the meshes out by
// file name. Owns the meshes until Shutdown, which must come before the
// graphics device's (their buffers live on its context). Main thread only.
#include <memory>
#include <vector>

#include "basalt/graphics/mesh_gl.h"
#include "basalt/util/string_hash.h"

namespace Basalt {

class MeshManagerGL {
 public:
  static constexpr unsigned kFileNameCapacity = 128;

  MeshManagerGL() = default;
  ~MeshManagerGL() { Shutdown(); }
  MeshManagerGL(const MeshManagerGL&) = delete;
  MeshManagerGL& operator=(const MeshManagerGL&) = delete;

  // Loads every mesh file; one that fails is logged and left out. Always true.
  bool Initialize();
  // Exact, case-sensitive file name with its extension ("drumset.gmsh"); null
  // when absent or failed. Valid until Shutdown.
  MeshGL* GetMesh(const char* fileName) const;
  void Shutdown();

  unsigned NumRecords() const { return static_cast<unsigned>(m_records.size()); }

 private:
  struct Record {
    char fileName[kFileNameCapacity];
    std::unique_ptr<MeshGL> mesh;
  };

  std::vector<Record> m_records;
  util::StringHash m_names;
};

extern MeshManagerGL* g_pMeshManager;

}  // namespace Basalt
