#include "tests/support/app_harness.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "backline/sound/sound_backend.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/core/core.h"
#include "basalt/foundation/clock.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "tests/support/virtual_kit.h"

namespace test {

std::atomic<uint32_t> AppHarness::s_nowMs{0};
std::vector<int> AppHarness::s_played;
std::vector<AppHarness::PlayedSound> AppHarness::s_sounds;
std::mutex AppHarness::s_soundsMutex;
std::map<int, std::string> AppHarness::s_slotSamples;

namespace {

AppHarness* g_current = nullptr;
bool (*g_realPlayNote)(NoteSource, const Note&) = nullptr;

bool RecordingPlayNote(NoteSource source, const Note& note) {
  {
    std::lock_guard<std::mutex> lock(AppHarness::s_soundsMutex);
    AppHarness::s_played.push_back(note.slot);
    AppHarness::s_sounds.push_back(
        {note.slot, note.volume, static_cast<uint32_t>(note.time / Basalt::kNsPerMs), note.velocity});
  }
  return g_realPlayNote(source, note);
}

bool (*g_realLoadSample)(int, const char*) = nullptr;
void (*g_realStopSample)(int) = nullptr;

bool RecordingLoadSample(int slot, const char* path) {
  const bool loaded = g_realLoadSample(slot, path);
  AppHarness::s_slotSamples[slot] = loaded ? path : "";
  return loaded;
}

void RecordingStopSample(int slot) {
  g_realStopSample(slot);
  AppHarness::s_slotSamples[slot] = "";
}

// The device's output as the voice engine hands it over (ListenToOutput):
// its first channel, and its second (the first again on a mono device).
std::vector<float> g_heard;
std::vector<float> g_heardRight;
std::atomic<size_t> g_heardFrames{0};

// Audio thread: no allocation, no lock.
void KeepOutput(const float* out, int frames, int channels, Basalt::TimeNs) {
  size_t kept = g_heardFrames.load(std::memory_order_relaxed);
  for (int frame = 0; frame < frames && kept < g_heard.size(); ++frame, ++kept) {
    g_heard[kept] = out[frame * channels];
    g_heardRight[kept] = out[frame * channels + (channels > 1 ? 1 : 0)];
  }
  g_heardFrames.store(kept, std::memory_order_release);
}

// Every thread of the program reads the hand-stepped clock.
Basalt::TimeNs HandClock() { return static_cast<Basalt::TimeNs>(AppHarness::s_nowMs.load()) * Basalt::kNsPerMs; }

// The buttons, axes and hats a frame callback set, applied when it has returned.
struct PendingChange {
  enum Control { Button, Axis, Hat };
  SDL_Joystick* kit;
  Control control;
  int index;
  Sint16 value;   // the axis' reading, the hat's position, or whether the button is down
  uint32_t atMs;  // the program's clock when the callback set it
};
bool g_inCallback = false;
std::vector<PendingChange> g_pendingChanges;

void WaitForInputThread() {
  if (Basalt::g_pInput) Basalt::g_pInput->WaitForPolls(2);
}

void Apply(const PendingChange& change) {
  switch (change.control) {
    case PendingChange::Axis:
      SDL_JoystickSetVirtualAxis(change.kit, change.index, change.value);
      break;
    case PendingChange::Hat:
      SDL_JoystickSetVirtualHat(change.kit, change.index, static_cast<Uint8>(change.value));
      break;
    case PendingChange::Button:
      SDL_JoystickSetVirtualButton(change.kit, change.index, change.value ? SDL_PRESSED : SDL_RELEASED);
      break;
  }
}

// Applied at once, seen by the input thread when this returns; inside a frame
// callback, applied when it has returned.
void Change(const PendingChange& change) {
  if (g_inCallback) {
    g_pendingChanges.push_back(change);
    return;
  }
  Apply(change);
  WaitForInputThread();
}

// The program, with a hook after each of its frames.
class HarnessApp : public GameApp {
 public:
  explicit HarnessApp(const AppHarness::FrameCallback& onFrame) : m_onFrame(onFrame) {}
  bool Initialize(Basalt::Core* core) override {
    if (!GameApp::Initialize(core)) return false;
    m_view = std::make_unique<AppView>(*this);
    Callback(AppHarness::kStarted);
    return true;
  }
  bool Update() override {
    WaitForInputThread();  // what the pump forwarded this frame has reached the hit path
    const bool goOn = GameApp::Update();
    return Callback(m_frame++) && goOn;
  }

 private:
  bool Callback(int frame) {
    g_inCallback = true;
    const bool goOn = m_onFrame(*m_view, frame);
    g_inCallback = false;
    PublishStrikeTable();
    // One at a time, each at the time it was set: the input thread sees every
    // change, a press and release in one callback too, at its own moment.
    const uint32_t endMs = AppHarness::s_nowMs;
    for (const PendingChange& pending : g_pendingChanges) {
      AppHarness::s_nowMs = pending.atMs;
      Apply(pending);
      WaitForInputThread();
    }
    AppHarness::s_nowMs = endMs;
    g_pendingChanges.clear();
    return goOn;
  }

  const AppHarness::FrameCallback& m_onFrame;
  std::unique_ptr<AppView> m_view;
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
  Basalt::g_maxFps = Basalt::g_idleFps = 0;  // the tests step frames as fast as they can
  Basalt::SetTimeSource(&HandClock);
  s_played.clear();
  s_sounds.clear();
  s_slotSamples.clear();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
}

void AppHarness::TearDown() {
  for (SDL_Joystick* kit : m_kits) SDL_JoystickClose(kit);
  while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  Basalt::SetTimeSource(nullptr);
  GetVoiceEngine().SetRenderObserver(nullptr);
  Basalt::CVarSystem::RestoreDefaults();  // the next test starts from the defaults, not this one's settings
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

void AppHarness::DetachKit(SDL_Joystick* kit) {
  m_kits.erase(std::remove(m_kits.begin(), m_kits.end(), kit), m_kits.end());
  EXPECT_TRUE(DetachVirtualKit(kit)) << SDL_GetError();
  WaitForInputThread();
}

void AppHarness::SetButton(SDL_Joystick* kit, int button, bool down) {
  Change({kit, PendingChange::Button, button, static_cast<Sint16>(down), s_nowMs});
}

void AppHarness::SetAxis(SDL_Joystick* kit, int axis, Sint16 value) {
  Change({kit, PendingChange::Axis, axis, value, s_nowMs});
}

void AppHarness::SetHat(SDL_Joystick* kit, Uint8 value) { Change({kit, PendingChange::Hat, 0, value, s_nowMs}); }

void AppHarness::ListenToOutput(double seconds) {
  g_heard.assign(static_cast<size_t>(seconds * VoiceEngine::kMixRate), 0.0f);
  g_heardRight.assign(g_heard.size(), 0.0f);
  g_heardFrames = 0;
  GetVoiceEngine().SetRenderObserver(&KeepOutput);
}

size_t AppHarness::HeardFrames() { return g_heardFrames.load(std::memory_order_acquire); }

bool AppHarness::QuietFor(size_t frames) {
  const size_t kept = HeardFrames();
  return kept >= frames && std::all_of(g_heard.begin() + static_cast<std::ptrdiff_t>(kept - frames),
                                       g_heard.begin() + static_cast<std::ptrdiff_t>(kept),
                                       [](float sample) { return sample == 0.0f; });
}

const std::vector<float>& AppHarness::Heard() {
  g_heard.resize(HeardFrames());
  return g_heard;
}

const std::vector<float>& AppHarness::HeardRight() {
  g_heardRight.resize(HeardFrames());
  return g_heardRight;
}

std::vector<size_t> AppHarness::Onsets(const std::vector<float>& samples, size_t minSilence) {
  std::vector<size_t> onsets;
  size_t silent = minSilence;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (samples[i] == 0.0f) {
      ++silent;
      continue;
    }
    if (silent >= minSilence) onsets.push_back(i);
    silent = 0;
  }
  return onsets;
}

void AppHarness::RecordPlayedSounds() {
  if (g_soundBackend.PlayNote != &RecordingPlayNote) g_realPlayNote = g_soundBackend.PlayNote;
  g_soundBackend.PlayNote = &RecordingPlayNote;
  if (g_soundBackend.LoadSample != &RecordingLoadSample) g_realLoadSample = g_soundBackend.LoadSample;
  g_soundBackend.LoadSample = &RecordingLoadSample;
  if (g_soundBackend.StopSample != &RecordingStopSample) g_realStopSample = g_soundBackend.StopSample;
  g_soundBackend.StopSample = &RecordingStopSample;
}

std::vector<uint32_t> AppHarness::CaptureFrame(unsigned* width, unsigned* height) {
  *width = Basalt::g_pGUI->GetScreenWidth();
  *height = Basalt::g_pGUI->GetScreenHeight();
  Basalt::CurrentDeviceGL()->RenderFrame();
  std::vector<uint8_t> rgba(static_cast<size_t>(*width) * *height * 4);
  glReadPixels(0, 0, static_cast<GLsizei>(*width), static_cast<GLsizei>(*height), GL_RGBA, GL_UNSIGNED_BYTE,
               rgba.data());
  Basalt::CurrentDeviceGL()->Present();
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
