#pragma once
// IMeshManager for meshes on OpenGL: every "meshes/*.gmsh", loaded once at
// start-up. Its Shutdown must come before the graphics device's (the meshes'
// buffers live on its context). Main thread only.
#include <memory>
#include <vector>

#include "basalt/graphics/gl/mesh_gl.h"
#include "basalt/graphics/mesh_manager.h"
#include "basalt/util/string_hash.h"

namespace Basalt {

class MeshManagerGL : public IMeshManager {
 public:
  static constexpr unsigned kFileNameCapacity = 128;

  MeshManagerGL() = default;
  ~MeshManagerGL() override { Shutdown(); }
  MeshManagerGL(const MeshManagerGL&) = delete;
  MeshManagerGL& operator=(const MeshManagerGL&) = delete;

  bool Initialize() override;
  MeshGL* GetMesh(const char* fileName) const override;
  void Shutdown() override;

  unsigned NumRecords() const { return static_cast<unsigned>(m_records.size()); }

 private:
  struct Record {
    char fileName[kFileNameCapacity];
    std::unique_ptr<MeshGL> mesh;
  };

  std::vector<Record> m_records;
  util::StringHash m_names;
};

}  // namespace Basalt
