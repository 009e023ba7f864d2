#include "basalt/graphics/gl/mesh_gl.h"

#include <cstdint>
#include <cstring>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/file_system.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/index_buffer.h"
#include "basalt/graphics/material.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/graphics/vertex_buffer.h"

namespace Basalt {

namespace {

constexpr unsigned kIndexBytes = 2;
constexpr unsigned kCountBytes = 4;
// The smallest subset: its name and two zero counts.
constexpr unsigned kMinSubsetBytes = MeshGL::kMaterialNameBytes + 2 * kCountBytes;

// Reads the file front to back, refusing any read past its end.
class ByteReader {
 public:
  ByteReader(const char* data, unsigned size) : m_data(data), m_left(size) {}

  unsigned Left() const { return m_left; }
  bool Take(void* out, unsigned bytes) {
    if (bytes > m_left) return false;
    std::memcpy(out, m_data, bytes);
    Skip(bytes);
    return true;
  }
  bool TakeCount(std::uint32_t* count) { return Take(count, kCountBytes); }
  const char* Peek() const { return m_data; }
  void Skip(unsigned bytes) {
    m_data += bytes;
    m_left -= bytes;
  }

 private:
  const char* m_data;
  unsigned m_left;
};

IMaterial* FindSubsetMaterial(const char* name) {
  if (!g_pMaterialManager) return nullptr;
  IMaterial* material = g_pMaterialManager->FindMaterial(name);
  return material ? material : g_pMaterialManager->FindMaterial(MeshGL::kFallbackMaterial);
}

bool IndicesWithin(const std::uint16_t* indices, std::uint32_t count, std::uint32_t numVerts) {
  for (std::uint32_t i = 0; i < count; ++i)
    if (indices[i] >= numVerts) return false;
  return true;
}

// One subset from the reader into subset; false when the file is damaged.
bool ReadSubset(ByteReader* reader, MeshSubset* subset) {
  char name[MeshGL::kMaterialNameBytes + 1] = {};
  std::uint32_t numIndices = 0, numVerts = 0;
  if (!reader->Take(name, MeshGL::kMaterialNameBytes) || !reader->TakeCount(&numIndices)) return false;
  if (numIndices % 3 != 0 || numIndices > reader->Left() / kIndexBytes) return false;
  std::vector<std::uint16_t> indices(numIndices);
  if (numIndices > 0) reader->Take(indices.data(), numIndices * kIndexBytes);
  if (!reader->TakeCount(&numVerts) || numVerts > reader->Left() / MeshGL::kVertexStride) return false;
  if (!IndicesWithin(indices.data(), numIndices, numVerts)) return false;
  subset->material = FindSubsetMaterial(name);
  subset->indexBuffer.reset(CurrentDeviceGL()->CreateIndexBuffer());
  subset->vertexBuffer.reset(CurrentDeviceGL()->CreateVertexBuffer());
  const bool ok = numIndices == 0 || (subset->indexBuffer->Initialize(numIndices, kUsageStatic) &&
                                      subset->indexBuffer->Fill(indices.data(), numIndices, 0, 0));
  const bool vertsOk = numVerts == 0 || (subset->vertexBuffer->Initialize(numVerts, MeshGL::kVertexStride,
                                                                          VTYPE_P3T2_NBT, kUsageStatic) &&
                                         subset->vertexBuffer->Fill(reader->Peek(), numVerts, 0, 0));
  reader->Skip(numVerts * MeshGL::kVertexStride);
  return ok && vertsOk;
}

}  // namespace

bool MeshGL::LoadGMSH(const char* path) {
  Clear();
  if (RunGuarded("Failed to load mesh", path, false, [&] { return ReadGMSH(path); })) return true;
  Clear();
  return false;
}

bool MeshGL::ReadGMSH(const char* path) {
  RAMFile file;
  if (!g_pFileSystem || !CurrentDeviceGL() || !g_pFileSystem->LoadFileToRAM(path, &file)) return false;
  ByteReader reader(file.data, file.size);
  std::uint32_t numSubsets = 0;
  if (!reader.TakeCount(&numSubsets) || numSubsets > reader.Left() / kMinSubsetBytes) return false;
  m_subsets.resize(numSubsets);
  for (MeshSubset& subset : m_subsets) {
    if (ReadSubset(&reader, &subset)) continue;
    m_subsets.clear();
    return false;
  }
  m_loaded = true;
  return true;
}

bool MeshGL::Render(const mat4& world, int subset) {
  if (!CurrentDeviceGL()) return true;
  CurrentDeviceGL()->SetWorldMatrix(world);
  static const float kLights[9] = {-100.0f, 20.0f, -10.0f, 10.0f, 50.0f, -5.0f, -10.0f, -10.0f, -50.0f};
  m_parms = {};
  std::memcpy(m_parms.lightPos, kLights, sizeof kLights);
  if (subset >= 0) {
    if (static_cast<unsigned>(subset) < m_subsets.size()) RenderSubset(m_subsets[static_cast<unsigned>(subset)]);
    return true;
  }
  for (MeshSubset& each : m_subsets) RenderSubset(each);
  return true;
}

void MeshGL::RenderSubset(MeshSubset& subset) {
  IVertexBuffer* vertices = subset.vertexBuffer.get();
  IIndexBuffer* indices = subset.indexBuffer.get();
  if (!subset.material || vertices->GetNumVerts() == 0 || indices->GetNumIndices() == 0) return;
  indices->Activate();
  vertices->Activate();
  subset.material->Activate();
  std::memcpy(m_parms.glowColor, subset.colour, sizeof subset.colour);
  if (g_noShaders) {
    const float doubled[4] = {subset.colour[0] * 2, subset.colour[1] * 2, subset.colour[2] * 2, subset.colour[3] * 2};
    CurrentDeviceGL()->SetMaterialColour(doubled);
  } else {
    subset.material->SetShaderParms(m_parms);
  }
  CurrentDeviceGL()->DrawIndexedTriangles(vertices->GetNumVerts(), indices->GetNumIndices() / 3);
}

void MeshGL::Clear() {
  m_subsets.clear();
  m_loaded = false;
}

}  // namespace Basalt
