#pragma once
// Writes GMSH mesh files for tests and benchmarks: subsets of flat quads
// facing the camera (-z), in the 56-byte vertex layout.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test {

struct MeshVertex {
  float position[3];
  float normal[3];
  float texCoord[2];
  float tangent[3];
  float binormal[3];
};
static_assert(sizeof(MeshVertex) == 56, "GMSH vertices are 56 bytes");

struct MeshSubsetData {
  std::string material;
  std::vector<std::uint16_t> indices;
  std::vector<MeshVertex> vertices;
};

// A quad from (x0, y0) to (x1, y1) at depth z, two triangles.
inline MeshSubsetData QuadSubset(const std::string& material, float x0, float y0, float x1, float y1, float z) {
  MeshSubsetData subset{material, {0, 1, 2, 2, 1, 3}, {}};
  const float corners[4][2] = {{x0, y1}, {x1, y1}, {x0, y0}, {x1, y0}};
  for (const auto& corner : corners)
    subset.vertices.push_back({{corner[0], corner[1], z}, {0, 0, -1}, {0, 0}, {1, 0, 0}, {0, 1, 0}});
  return subset;
}

class GmshBuilder {
 public:
  GmshBuilder& Add(const MeshSubsetData& subset) {
    m_subsets.push_back(subset);
    return *this;
  }
  std::string Bytes() const {
    std::string bytes;
    Count(&bytes, static_cast<std::uint32_t>(m_subsets.size()));
    for (const MeshSubsetData& subset : m_subsets) {
      std::string name(64, '\0');
      name.replace(0, subset.material.size(), subset.material);
      bytes += name;
      Count(&bytes, static_cast<std::uint32_t>(subset.indices.size()));
      Append(&bytes, subset.indices.data(), subset.indices.size() * 2);
      Count(&bytes, static_cast<std::uint32_t>(subset.vertices.size()));
      Append(&bytes, subset.vertices.data(), subset.vertices.size() * sizeof(MeshVertex));
    }
    return bytes;
  }

 private:
  static void Append(std::string* bytes, const void* data, size_t size) {
    bytes->append(static_cast<const char*>(data), size);
  }
  static void Count(std::string* bytes, std::uint32_t count) { Append(bytes, &count, sizeof count); }

  std::vector<MeshSubsetData> m_subsets;
};

}  // namespace test
