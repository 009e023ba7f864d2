#include "basalt/graphics/gl/mesh_manager_gl.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"

namespace Basalt {

namespace {
const char kMeshDirectory[] = "meshes";
const char kMeshExtension[] = "gmsh";
}  // namespace

bool MeshManagerGL::Initialize() {
  IFileSystem::DirectoryListing listing;
  if (!g_pFileSystem || !g_pFileSystem->GetDirectoryListing(kMeshDirectory, kMeshExtension, &listing)) return true;
  m_records.reserve(listing.names.Count());
  for (unsigned i = 0; i < listing.names.Count(); ++i) {
    const char* name = listing.names.Get(i).name;
    Record record = {};
    std::memcpy(record.fileName, name, std::min<size_t>(std::strlen(name), kFileNameCapacity - 1));
    const std::string path = std::string(kMeshDirectory) + "//" + name;
    record.mesh = std::make_unique<MeshGL>();
    if (record.mesh->LoadGMSH(path.c_str())) {
      m_names.Insert(record.fileName, record.mesh.get());
    } else {
      LogMessage("Failed to load mesh: %s", name);
      record.mesh.reset();
    }
    m_records.push_back(std::move(record));
  }
  return true;
}

MeshGL* MeshManagerGL::GetMesh(const char* fileName) const {
  return fileName ? static_cast<MeshGL*>(m_names.Find(fileName)) : nullptr;
}

void MeshManagerGL::Shutdown() {
  m_names.Clear();
  for (Record& record : m_records) record.mesh.reset();
}

}  // namespace Basalt
