#pragma once
// Builds triangle meshes from simple solids and writes them in the engine's
// GMSH form: a subset count, then per subset a 64-byte material name, 16-bit
// triangle indices and 56-byte vertices (position, normal, texture
// coordinate, tangent, binormal), all little-endian.
#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct Vec3 {
  float x, y, z;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalize(Vec3 v);

// A rigid placement: rotation about x (tilt), then about y (turn), then scale and offset.
struct Placement {
  Vec3 offset = {0, 0, 0};
  float tiltX = 0, turnY = 0, scale = 1;
  Vec3 Apply(Vec3 p) const;
  Vec3 Rotate(Vec3 v) const;
  Placement Then(const Placement& outer) const;  // this placement inside outer
};

struct Vertex {
  Vec3 position, normal;
  float u, v;
  Vec3 tangent, binormal;
};

// One subset: a material and its triangles.
class MeshPart {
 public:
  explicit MeshPart(std::string material) : m_material(std::move(material)) {}
  const std::string& Material() const { return m_material; }
  const std::vector<Vertex>& Vertices() const { return m_vertices; }
  const std::vector<uint16_t>& Indices() const { return m_indices; }

  // Solids in local space around the y axis, placed by where. segments
  // around the axis; uv wraps once around.
  void Tube(float radius, float bottom, float top, int segments, const Placement& where, bool inward = false);
  // A flat disc facing up (or down) at height y.
  void Disc(float radius, float y, int segments, const Placement& where, bool facingUp = true);
  // A shallow cone: a cymbal of radius with its bell rising by rise at the centre, both faces.
  void Cymbal(float radius, float rise, int segments, const Placement& where);
  // An axis-aligned box between two corners.
  void Box(Vec3 low, Vec3 high, const Placement& where);
  // A thin rod between two points.
  void Rod(Vec3 from, Vec3 to, float radius, const Placement& where);
  // One triangle with no area: a subset that must exist but shows nothing.
  void Degenerate();

 private:
  void Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
  uint16_t Add(const Vertex& v);

  std::string m_material;
  std::vector<Vertex> m_vertices;
  std::vector<uint16_t> m_indices;
};

std::vector<uint8_t> EncodeGmsh(const std::vector<MeshPart>& parts);

}  // namespace content
