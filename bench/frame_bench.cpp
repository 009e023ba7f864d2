// Frame time of the whole engine loop, headless: a two-kit-sized drum-set
// mesh (40 subsets, about 40 000 triangles, lit by a three-light shader)
// plus 200 textured sprites per frame, at 800 x 600.
//
//   SDL_VIDEODRIVER=offscreen build/bin/frame_bench [frames]
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "basalt/core/core.h"
#include "basalt/core/iapp.h"
#include "basalt/graphics/graphics_device_gl.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/graphics/mesh_manager_gl.h"
#include "basalt/graphics/texture_gl.h"
#include "basalt/platform/platform.h"
#include "basalt/scene/base_object.h"
#include "basalt/scene/scene_graph.h"
#include "tests/support/gmsh_builder.h"

namespace {

constexpr int kWarmUpFrames = 30;
constexpr unsigned kSubsets = 40;
constexpr unsigned kSegments = 50;
constexpr unsigned kRings = 10;
constexpr unsigned kSprites = 200;

const char kLitShader[] = R"(
uniform mat4 matWorldViewProj;
uniform mat4 lightPos;
uniform vec4 glowColor;
uniform vec4 viewPos;
#ifdef VS
in vec3 inPosition;
in vec3 inNormal;
out vec3 vPosition;
out vec3 vNormal;
void main() {
  gl_Position = matWorldViewProj * vec4(inPosition, 1.0);
  vPosition = inPosition;
  vNormal = inNormal;
}
#endif
#ifdef PS
in vec3 vPosition;
in vec3 vNormal;
out vec4 outColour;
void main() {
  vec3 n = normalize(vNormal);
  float light = 0.2;
  for (int i = 0; i < 3; ++i) light += 0.3 * max(dot(n, normalize(lightPos[i].xyz - vPosition)), 0.0);
  vec3 toEye = normalize(viewPos.xyz - vPosition);
  outColour = vec4(glowColor.rgb * light + pow(max(dot(n, toEye), 0.0), 16.0) * 0.2, glowColor.a);
}
#endif
)";

const char kMaterials[] = "BEGIN SHADER lit.shd VS_WORLD_VIEW_PROJ VS_LIGHT_POS END\n"
                          "BEGIN MATERIAL NoMaterial SHADER lit.shd END\n";

// A closed drum shell per subset: kSegments around, kRings high.
test::MeshSubsetData Drum(unsigned index) {
  test::MeshSubsetData drum{"NoMaterial", {}, {}};
  const float cx = static_cast<float>(index % 8) * 12.0f - 42.0f, cz = static_cast<float>(index / 8) * 12.0f;
  for (unsigned ring = 0; ring <= kRings; ++ring) {
    for (unsigned s = 0; s <= kSegments; ++s) {
      const float angle = 6.2831853f * static_cast<float>(s) / kSegments;
      const float nx = std::cos(angle), nz = std::sin(angle);
      drum.vertices.push_back({{cx + 5.0f * nx, static_cast<float>(ring), cz + 5.0f * nz},
                               {nx, 0, nz},
                               {static_cast<float>(s) / kSegments, static_cast<float>(ring) / kRings},
                               {-nz, 0, nx},
                               {0, 1, 0}});
    }
  }
  for (unsigned ring = 0; ring < kRings; ++ring) {
    for (unsigned s = 0; s < kSegments; ++s) {
      const auto a = static_cast<std::uint16_t>(ring * (kSegments + 1) + s);
      const auto b = static_cast<std::uint16_t>(a + kSegments + 1);
      for (std::uint16_t i : {a, b, static_cast<std::uint16_t>(a + 1), static_cast<std::uint16_t>(a + 1), b,
                              static_cast<std::uint16_t>(b + 1)})
        drum.indices.push_back(i);
    }
  }
  return drum;
}

class KitScene : public Basalt::ISceneGraph {
 public:
  bool Initialize() override { return true; }
  void Render(Basalt::IBaseObject*) override {
    Basalt::mat4 view = Basalt::mat4::Translation(0.0f, -10.0f, 90.0f);
    Basalt::g_pGraphics->SetViewMatrix(view);
    kit.Render(Basalt::mat4::Identity());
  }
  Basalt::IBaseObject kit;
};

void DrawSprites(void* texture) {
  for (unsigned i = 0; i < kSprites; ++i) {
    const Basalt::vec3f at = {static_cast<float>(i % 20) * 38.0f, static_cast<float>(i / 20) * 55.0f, 0.1f};
    Basalt::g_pGraphics->Draw2D({0, 0, 30, 30}, at, 0xFFC0C0FF, static_cast<Basalt::ITexture*>(texture), 1.0f, 1.0f);
  }
}

class BenchApp : public Basalt::IApp {
 public:
  explicit BenchApp(int frames) : m_frames(frames) { SetVersion("frame bench"); }

  bool Init(Basalt::Core* core) override {
    if (!IApp::Init(core)) return false;
    m_scene.kit.mesh = Basalt::g_pMeshManager->GetMesh("drumset2.gmsh");
    if (!m_scene.kit.mesh) return false;
    for (unsigned i = 0; i < kSubsets; ++i) m_scene.kit.SetSubsetColor(i, 0.2f + 0.02f * static_cast<float>(i), 0.4f, 0.7f, 1.0f);
    core->SetSceneGraph(&m_scene);
    auto* texture = static_cast<Basalt::TextureGL*>(Basalt::g_pMaterialManager->NewTexture("sprite"));
    std::vector<unsigned> pixels(32 * 32, 0xC0FFFFFF);
    texture->SetData(pixels.data(), 32, 32, 32);
    Basalt::g_pGraphicsGL->SetOverlayPass(&DrawSprites, texture);
    m_last = Clock::now();
    return true;
  }
  bool Update() override {
    const Clock::time_point now = Clock::now();
    if (++m_count > kWarmUpFrames) m_times.push_back(std::chrono::duration<double, std::milli>(now - m_last).count());
    m_last = now;
    return m_count < m_frames + kWarmUpFrames;
  }
  bool Shutdown() override {
    GetCore()->SetSceneGraph(nullptr);
    return true;
  }
  std::vector<double> Times() const { return m_times; }

 private:
  using Clock = std::chrono::steady_clock;
  int m_frames;
  int m_count = 0;
  Clock::time_point m_last;
  std::vector<double> m_times;
  KitScene m_scene;
};

void WriteGameDirectory() {
  std::filesystem::create_directories("meshes");
  std::ofstream("lit.shd") << kLitShader;
  std::ofstream("materials.txt") << kMaterials;
  test::GmshBuilder kit;
  for (unsigned i = 0; i < kSubsets; ++i) kit.Add(Drum(i));
  std::ofstream("meshes/drumset2.gmsh", std::ios::binary) << kit.Bytes();
}

unsigned NameWindow(void* setup) {
  std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "frame bench");
  return 0;
}

double Percentile(std::vector<double> times, double p) {
  std::sort(times.begin(), times.end());
  return times[static_cast<size_t>(p * static_cast<double>(times.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "padlark-frame-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  WriteGameDirectory();

  BenchApp app(frames);
  Basalt::Core core;
  core.SetPlatformCallback(&NameWindow);
  if (!core.Launch(&app)) {
    std::fprintf(stderr, "frame_bench: start-up failed, see %s/systemlog.txt\n", dir.c_str());
    return 1;
  }
  const std::vector<double> times = app.Times();
  double sum = 0;
  for (double t : times) sum += t;
  const double count = static_cast<double>(times.size());
  const unsigned triangles = kSubsets * kRings * kSegments * 2;
  std::printf("frames %zu, mesh %u subsets / %u triangles, %u sprites, 800x600\n", times.size(), kSubsets,
              triangles, kSprites);
  std::printf("frame time ms: mean %.2f  p50 %.2f  p99 %.2f  max %.2f  (%.0f frames/s)\n", sum / count,
              Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0), 1000.0 * count / sum);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
