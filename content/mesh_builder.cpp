#include "content/mesh_builder.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace content {

namespace {
constexpr float kPi = 3.14159265358979f;

// The angle of step i of segments around a full turn.
float Angle(int i, int segments) { return 2 * kPi * static_cast<float>(i) / static_cast<float>(segments); }

void PutU32(std::vector<uint8_t>* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void PutFloat(std::vector<uint8_t>* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  PutU32(out, bits);
}
void PutVec(std::vector<uint8_t>* out, Vec3 v) {
  PutFloat(out, v.x);
  PutFloat(out, v.y);
  PutFloat(out, v.z);
}

Vertex Make(Vec3 position, Vec3 normal, float u, float v, Vec3 tangent, const Placement& where) {
  const Vec3 n = Normalize(where.Rotate(normal)), t = Normalize(where.Rotate(tangent));
  return Vertex{where.Apply(position), n, u, v, t, Cross(n, t)};
}
}  // namespace

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normalize(Vec3 v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? v * (1.0f / length) : Vec3{0, 1, 0};
}

Vec3 Placement::Rotate(Vec3 v) const {
  const float ct = std::cos(tiltX), st = std::sin(tiltX);
  const Vec3 tilted = {v.x, v.y * ct - v.z * st, v.y * st + v.z * ct};
  const float cy = std::cos(turnY), sy = std::sin(turnY);
  return {tilted.x * cy + tilted.z * sy, tilted.y, -tilted.x * sy + tilted.z * cy};
}

Vec3 Placement::Apply(Vec3 p) const { return Rotate(p) * scale + offset; }

Placement Placement::Then(const Placement& outer) const {
  // Only turns compose here (kits are turned, parts are tilted): keep it exact for that case.
  assert(outer.tiltX == 0.0f);
  Placement combined = *this;
  combined.turnY += outer.turnY;
  combined.scale *= outer.scale;
  combined.offset = outer.Apply(offset);
  return combined;
}

uint16_t MeshPart::Add(const Vertex& v) {
  assert(m_vertices.size() < 65535 && "a subset holds at most 65535 vertices");
  m_vertices.push_back(v);
  return static_cast<uint16_t>(m_vertices.size() - 1);
}

void MeshPart::Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
  const uint16_t ia = Add(a), ib = Add(b), ic = Add(c), id = Add(d);
  m_indices.insert(m_indices.end(), {ia, ib, ic, ia, ic, id});
}

void MeshPart::Tube(float radius, float bottom, float top, int segments, const Placement& where, bool inward) {
  const float side = inward ? -1.0f : 1.0f;
  for (int i = 0; i < segments; ++i) {
    const float a0 = Angle(i, segments), a1 = Angle(i + 1, segments);
    auto at = [&](float angle, float y, float v) {
      const Vec3 normal = {std::cos(angle) * side, 0, std::sin(angle) * side};
      const Vec3 tangent = {-std::sin(angle), 0, std::cos(angle)};
      return Make({std::cos(angle) * radius, y, std::sin(angle) * radius}, normal, angle / (2 * kPi), v, tangent,
                  where);
    };
    if (inward)
      Quad(at(a0, bottom, 1), at(a1, bottom, 1), at(a1, top, 0), at(a0, top, 0));
    else
      Quad(at(a0, bottom, 1), at(a0, top, 0), at(a1, top, 0), at(a1, bottom, 1));
  }
}

void MeshPart::Disc(float radius, float y, int segments, const Placement& where, bool facingUp) {
  const Vec3 normal = {0, facingUp ? 1.0f : -1.0f, 0};
  const Vertex centre = Make({0, y, 0}, normal, 0.5f, 0.5f, {1, 0, 0}, where);
  for (int i = 0; i < segments; ++i) {
    const float a0 = Angle(i, segments), a1 = Angle(i + 1, segments);
    auto rim = [&](float angle) {
      return Make({std::cos(angle) * radius, y, std::sin(angle) * radius}, normal, 0.5f + 0.5f * std::cos(angle),
                  0.5f + 0.5f * std::sin(angle), {1, 0, 0}, where);
    };
    const uint16_t c = Add(centre), p0 = Add(rim(a0)), p1 = Add(rim(a1));
    if (facingUp)
      m_indices.insert(m_indices.end(), {c, p1, p0});
    else
      m_indices.insert(m_indices.end(), {c, p0, p1});
  }
}

void MeshPart::Cymbal(float radius, float rise, int segments, const Placement& where) {
  const float rings = 4;
  for (int face = 0; face < 2; ++face) {
    const float up = face == 0 ? 1.0f : -1.0f;
    for (int r = 0; r < 4; ++r) {
      const float r0 = radius * static_cast<float>(r) / rings, r1 = radius * static_cast<float>(r + 1) / rings;
      // The profile: a bell in the middle ring, then a gentle slope to the edge.
      auto height = [&](float rr) { return rr < radius * 0.25f ? rise : rise * 0.35f * (1 - rr / radius); };
      for (int i = 0; i < segments; ++i) {
        const float a0 = Angle(i, segments), a1 = Angle(i + 1, segments);
        auto at = [&](float rr, float angle) {
          const Vec3 normal = {std::cos(angle) * 0.12f * up, up, std::sin(angle) * 0.12f * up};
          return Make({std::cos(angle) * rr, height(rr) - (face == 0 ? 0.0f : 0.03f), std::sin(angle) * rr}, normal,
                      0.5f + 0.5f * rr / radius * std::cos(angle), 0.5f + 0.5f * rr / radius * std::sin(angle),
                      {-std::sin(angle), 0, std::cos(angle)}, where);
        };
        if (face == 0)
          Quad(at(r0, a0), at(r0, a1), at(r1, a1), at(r1, a0));
        else
          Quad(at(r0, a0), at(r1, a0), at(r1, a1), at(r0, a1));
      }
    }
  }
}

void MeshPart::Box(Vec3 low, Vec3 high, const Placement& where) {
  struct Face {
    Vec3 normal, tangent;
  };
  static const Face kFaces[] = {{{1, 0, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, -1}}, {{0, 1, 0}, {1, 0, 0}},
                                {{0, -1, 0}, {1, 0, 0}}, {{0, 0, 1}, {-1, 0, 0}},  {{0, 0, -1}, {1, 0, 0}}};
  const Vec3 centre = (low + high) * 0.5f, half = (high - low) * 0.5f;
  for (const Face& f : kFaces) {
    const Vec3 b = Cross(f.normal, f.tangent);
    auto corner = [&](float s, float t, float u, float v) {
      const Vec3 offset = f.normal + f.tangent * s + b * t;
      return Make({centre.x + offset.x * half.x, centre.y + offset.y * half.y, centre.z + offset.z * half.z}, f.normal,
                  u, v, f.tangent, where);
    };
    Quad(corner(-1, -1, 0, 1), corner(-1, 1, 0, 0), corner(1, 1, 1, 0), corner(1, -1, 1, 1));
  }
}

void MeshPart::Rod(Vec3 from, Vec3 to, float radius, const Placement& where) {
  const Vec3 axis = to - from;
  const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  const Vec3 dir = Normalize(axis);
  // Tilting about x swings the tube's y axis toward +z; the turn about y then
  // carries it onto the rod's direction.
  Placement local;
  local.tiltX = std::acos(std::fmax(-1.0f, std::fmin(1.0f, dir.y)));
  local.turnY = std::atan2(dir.x, dir.z);
  local.offset = from;
  Tube(radius, 0, length, 8, local.Then(where));
}

void MeshPart::Degenerate() {
  const Vertex v = {{0, 0, 0}, {0, 1, 0}, 0, 0, {1, 0, 0}, {0, 0, 1}};
  m_indices.insert(m_indices.end(), {Add(v), Add(v), Add(v)});
}

std::vector<uint8_t> EncodeGmsh(const std::vector<MeshPart>& parts) {
  std::vector<uint8_t> out;
  PutU32(&out, static_cast<uint32_t>(parts.size()));
  for (const MeshPart& part : parts) {
    char name[64] = {};
    std::strncpy(name, part.Material().c_str(), sizeof name - 1);
    out.insert(out.end(), name, name + sizeof name);
    PutU32(&out, static_cast<uint32_t>(part.Indices().size()));
    for (uint16_t index : part.Indices()) {
      out.push_back(static_cast<uint8_t>(index & 0xFF));
      out.push_back(static_cast<uint8_t>(index >> 8));
    }
    PutU32(&out, static_cast<uint32_t>(part.Vertices().size()));
    for (const Vertex& v : part.Vertices()) {
      PutVec(&out, v.position);
      PutVec(&out, v.normal);
      PutFloat(&out, v.u);
      PutFloat(&out, v.v);
      PutVec(&out, v.tangent);
      PutVec(&out, v.binormal);
    }
  }
  return out;
}

}  // namespace content
