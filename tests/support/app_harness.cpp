#include "tests/support/app_harness.h"

#include <epoxy/gl.h>

#include <cstdlib>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "backline/app/app_clock.h"
#include "backline/sound/sound_backend.h"
#include "basalt/core/core.h"
#include "basalt/graphics/graphics_device_gl.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"
#include "basalt/platform/platform_sdl.h"
#include "tests/support/virtual_kit.h"

namespace test {

uint32_t AppHarness::s_nowMs = 0;
std::vector<int> AppHarness::s_played;
std::vector<AppHarness::PlayedSound> AppHarness::s_sounds;

namespace {

AppHarness* g_current = nullptr;
bool (*g_realPlaySample)(int, float) = nullptr;

bool RecordingPlaySample(int slot, float volume) {
  AppHarness::s_played.push_back(slot);
  AppHarness::s_sounds.push_back({slot, volume, AppHarness::s_nowMs});
  return g_realPlaySample(slot, volume);
}

// The program, with a hook after each of its frames.
class HarnessApp : public GameApp {
 public:
  explicit HarnessApp(const AppHarness::FrameCallback& onFrame) : m_onFrame(onFrame) {}
  bool Init(Basalt::Core* core) override {
    if (!GameApp::Init(core)) return false;
    m_onFrame(*this, AppHarness::kStarted);
    return true;
  }
  bool Update() override {
    const bool goOn = GameApp::Update();
    return m_onFrame(*this, m_frame++) && goOn;
  }

 private:
  const AppHarness::FrameCallback& m_onFrame;
  int m_frame = 0;
};

}  // namespace

void AppHarness::SetUp() {
  TempDirTest::SetUp();
  ASSERT_EQ(std::system((std::string(CONTENTGEN_PATH) + " .").c_str()), 0);
  g_current = this;
  Basalt::PlatformSDL::SetMessageBoxHandler(
      [](const char* caption, const char* text) { g_current->boxes.push_back(std::string(caption) + "|" + text); });
  s_nowMs = 1000000;
  SetTimeMsSource([] { return s_nowMs; });
  s_played.clear();
  s_sounds.clear();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
}

void AppHarness::TearDown() {
  for (SDL_Joystick* kit : m_kits) SDL_JoystickClose(kit);
  while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  SetTimeMsSource(nullptr);
  Basalt::PlatformSDL::SetMessageBoxHandler(nullptr);
  g_current = nullptr;
  TempDirTest::TearDown();
}

SDL_Joystick* AppHarness::AttachKit(uint16_t vendor, uint16_t product) {
  VirtualKitDesc desc;
  desc.vendor = vendor;
  desc.product = product;
  SDL_Joystick* kit = AttachVirtualKit(desc);
  if (kit) m_kits.push_back(kit);
  return kit;
}

bool AppHarness::Run(const FrameCallback& onFrame) {
  HarnessApp app(onFrame);
  Basalt::Core core;
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(&app);
}

void AppHarness::PushKey(SDL_Scancode scancode, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  SDL_PushEvent(&event);
}

SDL_Scancode AppHarness::KeyOf(char c) {
  return c == ' '   ? SDL_SCANCODE_SPACE
         : c == '0' ? SDL_SCANCODE_0
         : c < 'A'  ? static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (c - '1'))
                    : static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'A'));
}

void AppHarness::SetButton(SDL_Joystick* kit, int button, bool down) {
  SDL_JoystickSetVirtualButton(kit, button, down ? SDL_PRESSED : SDL_RELEASED);
  if (Basalt::g_pInput) Basalt::g_pInput->WaitForPolls(2);
}

void AppHarness::RecordPlayedSounds() {
  if (g_soundBackend.PlaySample != &RecordingPlaySample) g_realPlaySample = g_soundBackend.PlaySample;
  g_soundBackend.PlaySample = &RecordingPlaySample;
}

std::vector<uint32_t> AppHarness::CaptureFrame(unsigned* width, unsigned* height) {
  *width = Basalt::g_pGUI->GetScreenWidth();
  *height = Basalt::g_pGUI->GetScreenHeight();
  Basalt::g_pGraphicsGL->RenderFrame();
  std::vector<uint8_t> rgba(static_cast<size_t>(*width) * *height * 4);
  glReadPixels(0, 0, static_cast<GLsizei>(*width), static_cast<GLsizei>(*height), GL_RGBA, GL_UNSIGNED_BYTE,
               rgba.data());
  Basalt::g_pGraphicsGL->Present();
  std::vector<uint32_t> pixels(static_cast<size_t>(*width) * *height);
  for (unsigned y = 0; y < *height; ++y) {
    for (unsigned x = 0; x < *width; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(*height - 1 - y) * *width + x) * 4];
      pixels[static_cast<size_t>(y) * *width + x] = 0xFF000000u | p[0] << 16 | p[1] << 8 | p[2];
    }
  }
  return pixels;
}

bool AppHarness::WritePng(const std::string& path, const std::vector<uint32_t>& pixels, unsigned width,
                          unsigned height) {
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
  return stbi_write_png(path.c_str(), static_cast<int>(width), static_cast<int>(height), 3, rgb.data(),
                        static_cast<int>(width * 3)) != 0;
}

}  // namespace test
