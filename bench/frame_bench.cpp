// Frame time of the whole engine loop, headless: the content generator's
// two-kit drum set ("meshes/drumset2.gmsh" with its materials, textures and
// shader from the game directory) seen from the program's camera, plus 200
// textured sprites per frame, at 800 x 600. With "gui", also the program's
// fourteen buttons and twelve lines of text in the generated fonts.
//
//   SDL_VIDEODRIVER=offscreen build/bin/frame_bench [frames] [gui]
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "basalt/core/core.h"
#include "basalt/core/iapp.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/mesh_manager.h"
#include "basalt/graphics/gl/texture_gl.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/gui/context_controller.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"
#include "basalt/platform/platform.h"
#include "basalt/scene/base_object.h"
#include "basalt/scene/scene_graph.h"

namespace {

constexpr int kWarmUpFrames = 60;  // past the GUI's fade-in
constexpr unsigned kSprites = 200;
constexpr unsigned kButtons = 14;
constexpr unsigned kTextLines = 12;
const char kMesh[] = "drumset2.gmsh";

class KitScene : public Basalt::ISceneGraph {
 public:
  bool Initialize() override { return true; }
  void Render(Basalt::IBaseObject*) override {
    // The program's camera stands at (0, 3, -100) looking along +z.
    Basalt::mat4 view = Basalt::mat4::Translation(0.0f, -3.0f, 100.0f);
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

// The program's GUI load: a column of captioned buttons and a screen of text.
class MenuContext : public Basalt::IContextController {
 public:
  bool Initialize() override {
    m_texture = Basalt::g_pMaterialManager->FindTexture("sprite");
    for (unsigned wid = 1; wid <= kButtons; ++wid) {
      auto* button = new Basalt::GUIButton(wid);
      button->Initialize(m_texture);
      button->SendMessage(Basalt::GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 600, static_cast<int>(wid) * 40));
      button->SendMessage(Basalt::GUIMessage::Caption("Load Preset"));
      m_widgets.Insert(wid, button);
      if (wid == 1)
        m_root = button;
      else
        m_root->AddChild(button);
    }
    return true;
  }
  bool Draw() override {
    m_root->SendMessage(Basalt::GUI_DRAW);
    for (unsigned line = 0; line < kTextLines; ++line)
      DrawText(line % 7, 20, 40 + line * 40, 0xFFFFFFFF, "Line %u: Snares\\snare_%02u.wav 100%%", line, line);
    return true;
  }
  ~MenuContext() override { KillAllWidgets(); }

 private:
  Basalt::IWidget* m_root = nullptr;
};

class BenchApp : public Basalt::IApp {
 public:
  BenchApp(int frames, bool gui) : m_frames(frames), m_gui(gui) { SetVersion("frame bench"); }

  bool Initialize(Basalt::Core* core) override {
    if (!IApp::Initialize(core)) return false;
    m_scene.kit.mesh = Basalt::g_pMeshManager->GetMesh(kMesh);
    if (!m_scene.kit.mesh) return false;
    m_scene.kit.SetSubsetColor(0, 1.0f, 0.3f, 0.3f, 1.0f);  // one pad flashing
    m_subsets = m_scene.kit.mesh->GetNumSubsets();
    core->SetSceneGraph(&m_scene);
    auto* texture = static_cast<Basalt::TextureGL*>(Basalt::g_pMaterialManager->NewTexture("sprite"));
    std::vector<unsigned> pixels(32 * 32, 0xC0FFFFFF);
    texture->SetData(pixels.data(), 32, 32, 32);
    Basalt::CurrentDeviceGL()->SetOverlayPass(&DrawSprites, texture);
    if (m_gui) {
      m_menu.Initialize();
      Basalt::g_pGUI->NewContext(&m_menu);
    }
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
  unsigned Subsets() const { return m_subsets; }

 private:
  using Clock = std::chrono::steady_clock;
  int m_frames;
  bool m_gui;
  MenuContext m_menu;
  int m_count = 0;
  unsigned m_subsets = 0;
  Clock::time_point m_last;
  std::vector<double> m_times;
  KitScene m_scene;
};

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
  // A copy of the game directory, so the run's log and settings stay out of it.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "padlark-frame-bench";
  std::filesystem::remove_all(dir);
  std::error_code error;
  std::filesystem::copy(PADLARK_GAME_DIR, dir, std::filesystem::copy_options::recursive, error);
  if (error) {
    std::fprintf(stderr, "frame_bench: cannot copy the game directory %s: %s\n", PADLARK_GAME_DIR,
                 error.message().c_str());
    return 1;
  }
  std::filesystem::current_path(dir);

  const bool gui = argc > 2 && std::strcmp(argv[2], "gui") == 0;
  BenchApp app(frames, gui);
  Basalt::Core core;
  core.SetPlatformCallback(&NameWindow);
  if (!core.Launch(&app)) {
    std::fprintf(stderr, "frame_bench: start-up failed (no %s?), see %s/systemlog.txt\n", kMesh, dir.c_str());
    return 1;
  }
  const std::vector<double> times = app.Times();
  double sum = 0;
  for (double t : times) sum += t;
  const double count = static_cast<double>(times.size());
  std::printf("frames %zu, %s (%u subsets), %u sprites, %s, 800x600\n", times.size(), kMesh, app.Subsets(), kSprites,
              gui ? "14 buttons and 12 text lines" : "no widgets or text");
  std::printf("frame time ms: mean %.2f  p50 %.2f  p99 %.2f  max %.2f  (%.0f frames/s)\n", sum / count,
              Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0), 1000.0 * count / sum);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
