#include "tests/support/app_harness.h"

#include <epoxy/gl.h>

#include <filesystem>

#include "backline/app/app_clock.h"
#include "backline/app/game_app.h"
#include "backline/sound/sound_backend.h"
#include "basalt/core/core.h"
#include "basalt/graphics/graphics_device_gl.h"
#include "basalt/gui/gui.h"
#include "basalt/platform/platform_sdl.h"
#include "tests/content/generate.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_ASSERT(x)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace test {

std::vector<AppHarnessTest::MessageBox> AppHarnessTest::s_messageBoxes;
std::vector<AppHarnessTest::PlayedSound> AppHarnessTest::s_played;

namespace {

uint32_t g_fakeNow = 1000;
bool (*g_realPlaySample)(int, float) = nullptr;

uint32_t FakeNow() { return g_fakeNow; }

bool RecordPlay(int slot, float volume) {
  AppHarnessTest::s_played.push_back({slot, volume});
  return g_realPlaySample(slot, volume);
}

}  // namespace

// The program with the script played after each of its frames.
class AppHarnessTest::ScriptedApp : public GameApp {
 public:
  explicit ScriptedApp(AppHarnessTest* harness) : m_harness(harness) {}
  bool Update() override { return GameApp::Update() && m_harness->NextFrame(*this); }
  bool Shutdown() override {
    if (g_realPlaySample) g_soundBackend.PlaySample = g_realPlaySample;
    g_realPlaySample = nullptr;
    return GameApp::Shutdown();
  }

 private:
  AppHarnessTest* m_harness;
};

void AppHarnessTest::SetUp() {
  TempDirTest::SetUp();
  ASSERT_TRUE(GenerateContent("game"));
  std::filesystem::current_path("game");
  WriteFile("settings.cfg", "g_screenWidth = 640\ng_screenHeight = 480\ng_noUpdateCheck = 1\n");
  s_messageBoxes.clear();
  s_played.clear();
  Basalt::PlatformSDL::SetMessageBoxHandler(
      [](const char* caption, const char* text) { s_messageBoxes.push_back({caption, text}); });
  g_fakeNow = 1000;
  SetTimeMsSource(&FakeNow);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
}

void AppHarnessTest::TearDown() {
  for (SDL_Joystick* kit : m_kits) SDL_JoystickClose(kit);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  SetTimeMsSource(nullptr);
  Basalt::PlatformSDL::SetMessageBoxHandler(nullptr);
  TempDirTest::TearDown();
}

void AppHarnessTest::AttachKits(int count) {
  for (int i = 0; i < count; ++i) {
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.nbuttons = 8;
    desc.nhats = 1;
    desc.vendor_id = 0x1BAD;
    desc.product_id = 0x0003;
    desc.name = "Harmonix Drum Kit";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    m_kits.push_back(SDL_JoystickOpen(index));
  }
}

void AppHarnessTest::Press(SDL_Scancode key, int times) {
  for (int i = 0; i < times; ++i)
    m_steps.push_back({[key](GameApp&) {
                         for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
                           SDL_Event event = {};
                           event.type = type;
                           event.key.keysym.scancode = key;
                           SDL_PushEvent(&event);
                         }
                       },
                       2, nullptr});
}

void AppHarnessTest::Type(const char* text) {
  for (const char* c = text; *c; ++c) {
    const SDL_Scancode key = *c == ' '   ? SDL_SCANCODE_SPACE
                             : *c == '0' ? SDL_SCANCODE_0
                             : *c < 'A'  ? static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (*c - '1'))
                                         : static_cast<SDL_Scancode>(SDL_SCANCODE_A + (*c - 'A'));
    Press(key);
  }
}

void AppHarnessTest::Strike(int kit, int button) {
  m_steps.push_back({[this, kit, button](GameApp&) {
                       SDL_JoystickSetVirtualButton(m_kits[static_cast<size_t>(kit)], button, SDL_PRESSED);
                     },
                     1, nullptr});
  m_steps.push_back({[this, kit, button](GameApp&) {
                       SDL_JoystickSetVirtualButton(m_kits[static_cast<size_t>(kit)], button, SDL_RELEASED);
                     },
                     1, nullptr});
}

void AppHarnessTest::Wait(uint32_t ms) {
  m_steps.push_back({[ms](GameApp&) { g_fakeNow += ms; }, 0, nullptr});
}

void AppHarnessTest::Frames(int count) {
  m_steps.push_back({[](GameApp&) {}, count, nullptr});
}

void AppHarnessTest::Then(std::function<void(GameApp&)> check) { m_steps.push_back({std::move(check), 0, nullptr}); }

void AppHarnessTest::Until(std::function<bool(GameApp&)> ready) {
  m_steps.push_back({[](GameApp&) {}, 0, std::move(ready)});
}

void AppHarnessTest::EnterAssignMode() {
  Until([](GameApp& app) { return app.menuKeys.startupTime >= MenuKeys::kStartupHold; });
  Press(SDL_SCANCODE_DOWN);
  Press(SDL_SCANCODE_RETURN);
}

bool AppHarnessTest::NextFrame(GameApp& app) {
  g_fakeNow += kFrameMs;
  if (!g_realPlaySample) {
    g_realPlaySample = g_soundBackend.PlaySample;
    g_soundBackend.PlaySample = &RecordPlay;
  }
  if (m_idleFrames > 0) {
    --m_idleFrames;
    return true;
  }
  if (m_next == m_steps.size()) return false;
  Step& step = m_steps[m_next];
  if (step.ready && !step.ready(app)) return true;
  step.action(app);
  m_idleFrames = step.frames;
  ++m_next;
  return !::testing::Test::HasFatalFailure();
}

bool AppHarnessTest::Run() {
  auto app = std::make_unique<ScriptedApp>(this);
  Basalt::Core core;
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  return core.Launch(app.get());
}

std::vector<AppHarnessTest::DrawnText> AppHarnessTest::QueuedText() {
  std::vector<DrawnText> texts;
  const Basalt::FontManager* fonts = Basalt::g_pGUI->GetFontManager();
  for (unsigned i = 0; i < fonts->NumQueued(); ++i) {
    const Basalt::FontManager::TextRequest& request = fonts->GetQueued(i);
    texts.push_back({std::string(fonts->GetQueuedText(request), request.length), request.font, request.x, request.y,
                     request.colour});
  }
  return texts;
}

std::string AppHarnessTest::TextAt(unsigned x, unsigned y) {
  for (const DrawnText& text : QueuedText())
    if (text.x == x && text.y == y) return text.text;
  return "";
}

bool AppHarnessTest::SaveScreenshot(const std::string& path) {
  Basalt::GraphicsDeviceGL* device = Basalt::g_pGraphicsGL;
  if (!device || !device->RenderFrame()) return false;
  const int width = static_cast<int>(device->GetScreenWidth()), height = static_cast<int>(device->GetScreenHeight());
  std::vector<unsigned char> rgba(static_cast<size_t>(width * height * 4));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (unsigned char* alpha = rgba.data() + 3; alpha < rgba.data() + rgba.size(); alpha += 4) *alpha = 0xFF;
  stbi_flip_vertically_on_write(1);
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

}  // namespace test
