// The instrument end to end, headless: the real program (GameApp under the
// engine's loop) in a game directory written by the content generator.
//
//   instrument_bench latency [hits=500]    strike-to-sound latency of a virtual kit
//   instrument_bench startup [full]        start-up time to the first presented frame
//                                          (full: a bank of 5 x 512 WAV files)
//
// Latency runs from setting the kit's button state (a virtual "360 drumset
// A") to the end of the first audio callback that hands the device a
// non-silent sample of that hit, with the voice engine on SDL's current audio
// driver (SDL_AUDIODRIVER=dummy on a machine without sound). Each hit waits
// for the previous one to fall silent.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "backline/app/app_cvars.h"
#include "backline/app/game_app.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/core/core.h"
#include "basalt/platform/platform_sdl.h"
#include "tests/support/virtual_kit.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::atomic<int64_t> g_strikeNs{0};  // when the pending hit was struck, 0 for none
std::atomic<bool> g_silent{true};    // the last callback handed only silence
std::vector<double> g_latenciesMs;   // written by the audio thread, read after the run
std::atomic<size_t> g_latencyCount{0};

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Audio thread: no allocation, no lock.
void ObserveOutput(const float* out, int frames, int channels, Basalt::TimeNs) {
  bool silent = true;
  for (int i = 0; i < frames * channels && silent; ++i) silent = out[i] == 0.0f;
  g_silent.store(silent);
  const int64_t struck = g_strikeNs.load();
  if (silent || struck == 0) return;
  const size_t n = g_latencyCount.load();
  if (n < g_latenciesMs.size()) g_latenciesMs[n] = static_cast<double>(NowNs() - struck) / 1e6;
  g_latencyCount.store(n + 1);
  g_strikeNs.store(0);
}

class LatencyApp : public GameApp {
 public:
  LatencyApp(SDL_Joystick* kit, size_t hitCount) : m_kit(kit), m_hits(hitCount) {}
  bool Init(Basalt::Core* core) override {
    if (!GameApp::Init(core)) return false;
    mode = FreePlay;
    // The red pad plays the shortest sample, so hits fall silent quickly.
    AssignPadSample(&pads, bank, 0, PrimarySample, FindSampleByPath(bank, "SampleBank\\Other\\Clave.wav"));
    GetVoiceEngine().SetRenderObserver(&ObserveOutput);
    return true;
  }
  bool Update() override {
    const bool goOn = GameApp::Update();
    ++m_frames;
    if (m_down) {
      SDL_JoystickSetVirtualButton(m_kit, 1, SDL_RELEASED);
      m_down = false;
    } else if (g_strikeNs.load() == 0 && g_silent.load() && m_frames > 120) {
      g_strikeNs.store(NowNs());
      SDL_JoystickSetVirtualButton(m_kit, 1, SDL_PRESSED);  // a 360 kit's red pad
      m_down = true;
    }
    return goOn && g_latencyCount.load() < m_hits;
  }
  long Frames() const { return m_frames; }

 private:
  SDL_Joystick* m_kit;
  size_t m_hits;
  long m_frames = 0;
  bool m_down = false;
};

// The first presented frame ends start-up.
class StartupApp : public GameApp {
 public:
  bool Update() override {
    GameApp::Update();
    return false;
  }
};

SDL_Joystick* AttachKit() {
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  return test::AttachVirtualKit();
}

fs::path MakeGameDir(bool fullBank) {
  const fs::path dir = fs::temp_directory_path() / ("padlark-bench-" + std::to_string(getpid()));
  fs::remove_all(dir);
  if (std::system((std::string(CONTENTGEN_PATH) + " " + dir.string()).c_str()) != 0) std::exit(1);
  if (fullBank) {
    for (const char* category : {"Snares", "Cymbals", "TomToms", "Kick", "Other"}) {
      const fs::path folder = dir / "SampleBank" / category;
      const fs::path source = fs::directory_iterator(folder)->path();
      for (int i = static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator())); i < 512;
           ++i)
        fs::copy_file(source, folder / ("Extra " + std::to_string(i) + ".wav"));
    }
  }
  std::FILE* answer = std::fopen((dir / "rmd.dat").c_str(), "w");
  std::fputc('n', answer);
  std::fclose(answer);
  return dir;
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

int RunLatency(size_t hits) {
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  g_latenciesMs.assign(hits, 0.0);
  SDL_Joystick* kit = AttachKit();
  LatencyApp app(kit, hits);
  Basalt::Core core;
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  const auto start = Clock::now();
  core.Launch(&app);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const size_t n = std::min(g_latencyCount.load(), hits);
  g_latenciesMs.resize(n);
  if (n == 0) return 1;
  std::printf("hits %zu, device period %d ms (g_audioPeriodMs), mean frame %.3f ms\n", n, g_audioPeriodMs,
              seconds * 1000.0 / static_cast<double>(app.Frames()));
  std::printf("strike-to-sound latency ms: p50 %.2f  p99 %.2f  max %.2f\n", Percentile(g_latenciesMs, 0.5),
              Percentile(g_latenciesMs, 0.99), *std::max_element(g_latenciesMs.begin(), g_latenciesMs.end()));
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return 0;
}

int RunStartup(bool fullBank) {
  const fs::path dir = MakeGameDir(fullBank);
  fs::current_path(dir);
  Basalt::PlatformSDL::SetMessageBoxHandler([](const char*, const char*) {});
  const auto start = Clock::now();
  {
    StartupApp app;
    Basalt::Core core;
    core.SetPlatformCallback(&GameApp::PlatformCallback);
    core.Launch(&app);
  }
  std::printf("start-up to the first presented frame, %s bank: %.1f ms (shut-down included)\n",
              fullBank ? "full 5 x 512" : "starter",
              std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "latency";
  if (what == "latency") return RunLatency(argc > 2 ? static_cast<size_t>(std::atol(argv[2])) : 500);
  if (what == "startup") return RunStartup(argc > 2 && std::strcmp(argv[2], "full") == 0);
  std::fprintf(stderr, "usage: instrument_bench latency [hits] | startup [full]\n");
  return 2;
}
