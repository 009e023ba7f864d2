#pragma once
// A mesh: subsets, each with a material (not owned), its own vertex and index
// buffer (owned) and a colour that the draw hands the shader as glowColor.
// Meshes belong to the mesh manager; scene objects share them by pointer.
#include <memory>
#include <vector>

#include "basalt/graphics/index_buffer.h"
#include "basalt/graphics/math3d.h"
#include "basalt/graphics/shader.h"

namespace Basalt {

class IMaterial;

struct MeshSubset {
  IMaterial* material = nullptr;
  std::unique_ptr<IVertexBuffer> vertexBuffer;
  std::unique_ptr<IIndexBuffer> indexBuffer;
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // red, green, blue, alpha
};

class IMesh {
 public:
  IMesh();
  virtual ~IMesh();
  IMesh(const IMesh&) = delete;
  IMesh& operator=(const IMesh&) = delete;

  virtual bool LoadGMSH(const char* path) = 0;
  // Draws subset (or all of them with -1) with the world transform.
  virtual bool Render(const mat4& world, int subset) = 0;
  virtual void Clear() = 0;

  unsigned GetNumSubsets() const { return static_cast<unsigned>(m_subsets.size()); }
  // i below GetNumSubsets().
  MeshSubset& GetSubset(unsigned i) { return m_subsets[i]; }
  // Ignored for i at or beyond the subset count.
  void SetSubsetColor(unsigned i, float r, float g, float b, float a);
  void SetSubsetColor(unsigned i, const float* rgba);
  bool IsLoaded() const { return m_loaded; }

  bool highlight = false;

 protected:
  std::vector<MeshSubset> m_subsets;
  bool m_loaded = false;
  IShader::ShaderParms m_parms = {};
};

}  // namespace Basalt
