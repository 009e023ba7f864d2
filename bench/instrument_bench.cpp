// The instrument end to end, headless: the real program (GameApp under the
// engine's loop) in a game directory written by the content generator.
//
//   instrument_bench latency [hits=500] [frameMs=0]  strike-to-sound latency of a virtual kit
//   instrument_bench midi [hits=500] [frameMs=0]     strike-to-MIDI latency: to the note-on read from the sequencer
//   instrument_bench lost [strikes=1000] [frameMs=100] strikes that never sounded or were not recorded
//   instrument_bench metronome [seconds=60] [frameMs=0] the clicks' onsets against the beat grid
//   instrument_bench startup [full]        start-up time to the first presented frame
//                                          (full: a bank of 5 x 512 WAV files)
//   instrument_bench idle [seconds=20]     CPU time of the whole process (every
//                                          thread) while the main menu sits idle
//
// frameMs > 0 makes every frame take at least that long (the program's
// update sleeps), as on a machine that draws slowly; nothing audible may
// depend on it. Strikes come from a thread of the benchmark's own at random
// moments, never in step with the frames.
//
// Latency runs from setting the kit's button state (a virtual "360 drumset
// A") to the onset of that hit in the output: the instrument-clock time at
// which the device callback holding it began, plus the index of its first
// non-silent frame at 48 kHz. Each hit waits for the previous one to fall
// silent. The voice engine plays on SDL's current audio driver
// (SDL_AUDIODRIVER=dummy on a machine without sound).
//
// MIDI latency runs from setting the kit's button state to the moment
// another client of the ALSA sequencer, listening to the port "Padlark",
// has read the strike's note-on. Without a sequencer it says so and
// measures nothing.
#include <SDL.h>
#include <alsa/asoundlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "backline/app/game_app.h"
#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/midi/midi_port_alsa_seq.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/core/core.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/platform/sdl/platform_sdl.h"
#include "tests/support/app_view.h"
#include "tests/support/sequencer_client.h"
#include "tests/support/virtual_kit.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Basalt::TimeNs;

// ---- what the audio thread hands the device ----

std::atomic<TimeNs> g_strikeNs{0};  // when the pending hit was struck, 0 for none
std::atomic<bool> g_silent{true};   // the last callback handed only silence
std::vector<double> g_latenciesMs;  // written by the audio thread, read after the run
std::atomic<size_t> g_latencyCount{0};

// Audio thread: no allocation, no lock.
void ObserveOnsets(const float* out, int frames, int channels, TimeNs bufferTime) {
  int first = -1;
  for (int frame = 0; frame < frames && first < 0; ++frame)
    if (out[frame * channels] != 0.0f) first = frame;
  g_silent.store(first < 0);
  const TimeNs struck = g_strikeNs.load();
  if (first < 0 || struck == 0) return;
  const TimeNs onset = bufferTime + static_cast<TimeNs>(first) * Basalt::kNsPerSecond / VoiceEngine::kMixRate;
  const size_t n = g_latencyCount.load();
  if (n < g_latenciesMs.size()) g_latenciesMs[n] = static_cast<double>(onset - struck) / 1e6;
  g_latencyCount.store(n + 1);
  g_strikeNs.store(0);
}

std::vector<float> g_heard;  // the first channel, for the metronome
std::atomic<size_t> g_heardFrames{0};

void KeepOutput(const float* out, int frames, int channels, TimeNs) {
  size_t kept = g_heardFrames.load(std::memory_order_relaxed);
  for (int frame = 0; frame < frames && kept < g_heard.size(); ++frame) g_heard[kept++] = out[frame * channels];
  g_heardFrames.store(kept, std::memory_order_release);
}

// ---- the program ----

// GameApp on the engine's loop, every frame made to last frameMs, until done
// says so; the benchmark's set-up runs once after Initialize.
class BenchApp : public GameApp {
 public:
  BenchApp(int frameMs, std::function<void(AppView&)> setUp, std::function<bool(AppView&)> done)
      : m_frameMs(frameMs), m_setUp(std::move(setUp)), m_done(std::move(done)) {}
  bool Initialize(Basalt::Core* core) override {
    if (!GameApp::Initialize(core)) return false;
    m_view = std::make_unique<AppView>(*this);
    m_setUp(*m_view);
    return true;
  }
  bool Update() override {
    const auto start = Clock::now();
    const bool goOn = GameApp::Update();
    ++m_frames;
    if (m_frameMs > 0) std::this_thread::sleep_until(start + std::chrono::milliseconds(m_frameMs));
    return goOn && !m_done(*m_view);
  }
  long Frames() const { return m_frames; }

 private:
  int m_frameMs;
  std::function<void(AppView&)> m_setUp;
  std::function<bool(AppView&)> m_done;
  long m_frames = 0;
  std::unique_ptr<AppView> m_view;
};

// Runs app in the current game directory; the mean frame in ms.
double RunApp(BenchApp& app) {
  Basalt::PlatformSDL::SetMessageBoxHandler([](const char*, const char*) {});
  Basalt::Core core;
  core.SetPlatformCallback(&GameApp::PlatformCallback);
  const auto start = Clock::now();
  core.Launch(&app);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return app.Frames() > 0 ? ms / static_cast<double>(app.Frames()) : 0.0;
}

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

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%s ms: p50 %.2f  p99 %.2f  max %.2f  spread p99-p1 %.2f\n", what, Percentile(ms, 0.5),
              Percentile(ms, 0.99), ms.back(), Percentile(ms, 0.99) - Percentile(ms, 0.01));
}

// Strikes the kit's red pad at random moments, each once the previous hit
// has fallen silent; a hit that never sounds within a second is counted lost.
void StrikeForLatency(SDL_Joystick* kit, size_t hits, size_t* lost) {
  std::minstd_rand random(7);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the program is in Free Play
  while (g_latencyCount.load() < hits) {
    std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 30000));
    const TimeNs pending = g_strikeNs.load();
    if (pending != 0 && Basalt::GetTimeNs() - pending > Basalt::kNsPerSecond && g_strikeNs.exchange(0) != 0) ++*lost;
    if (g_strikeNs.load() != 0 || !g_silent.load()) continue;
    g_strikeNs.store(Basalt::GetTimeNs());
    SDL_JoystickSetVirtualButton(kit, 1, SDL_PRESSED);  // a 360 kit's red pad
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    SDL_JoystickSetVirtualButton(kit, 1, SDL_RELEASED);
  }
}

int RunLatency(size_t hits, int frameMs) {
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  g_latenciesMs.assign(hits, 0.0);
  SDL_Joystick* kit = AttachKit();
  GetVoiceEngine().SetRenderObserver(&ObserveOnsets);
  size_t lost = 0;
  std::thread striker(StrikeForLatency, kit, hits, &lost);
  BenchApp app(
      frameMs,
      [](AppView& game) {
        game.mode = FreePlay;
        // The red pad plays the shortest sample, so hits fall silent quickly.
        AssignPadSample(&game.instrument.pads, game.bank, 0, PrimarySample,
                        FindSampleByPath(game.bank, "SampleBank\\Other\\Clave.wav"));
      },
      [hits](AppView&) { return g_latencyCount.load() >= hits; });
  const double meanFrame = RunApp(app);
  striker.join();
  GetVoiceEngine().SetRenderObserver(nullptr);
  const size_t n = std::min(g_latencyCount.load(), hits);
  g_latenciesMs.resize(n);
  if (n == 0) return 1;
  std::printf("hits %zu (%zu never sounded), device period %d ms (g_audioPeriodMs), mean frame %.2f ms%s\n", n, lost,
              g_audioPeriodMs, meanFrame, frameMs > 0 ? " (made slow)" : "");
  Report("strike-to-sound latency", g_latenciesMs);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return 0;
}

// Strikes the kit's red pad hits times at random moments, each time waiting
// for listener to read the note-on (a second at most: lost); the latencies
// in ms go to latenciesMs, read once the thread is joined; finished counts
// the hits done.
void StrikeForMidi(SDL_Joystick* kit, test::SequencerClient* listener, size_t hits, std::vector<double>* latenciesMs,
                   size_t* lost, std::atomic<size_t>* finished) {
  std::minstd_rand random(7);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the program is in Free Play
  for (size_t hit = 0; hit < hits; ++hit) {
    std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 30000));
    const TimeNs struck = Basalt::GetTimeNs();
    SDL_JoystickSetVirtualButton(kit, 1, SDL_PRESSED);  // a 360 kit's red pad
    test::SequencerClient::Received received;
    bool heard = false;
    while (!heard && listener->Receive(&received, 1000)) heard = received.type == SND_SEQ_EVENT_NOTEON;
    if (heard)
      latenciesMs->push_back(static_cast<double>(Basalt::GetTimeNs() - struck) / 1e6);
    else
      ++*lost;
    SDL_JoystickSetVirtualButton(kit, 1, SDL_RELEASED);
    finished->store(hit + 1);
  }
}

int RunMidiLatency(size_t hits, int frameMs) {
  std::string why;
  std::unique_ptr<test::SequencerClient> listener = test::SequencerClient::Open(&why);
  if (!listener) {
    std::printf("no ALSA sequencer on this machine (%s): the strike-to-MIDI latency was not measured\n", why.c_str());
    return 0;
  }
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  SDL_Joystick* kit = AttachKit();
  std::vector<double> latenciesMs;
  latenciesMs.reserve(hits);
  size_t lost = 0;
  std::atomic<size_t> finished{0};
  std::thread striker;
  BenchApp app(
      frameMs,
      [&](AppView& game) {
        game.mode = FreePlay;
        const auto* port = dynamic_cast<const MidiPortAlsaSeq*>(game.midiPort.get());
        if (port && listener->ListenTo(port->Client(), port->OutputPort()))
          striker = std::thread(StrikeForMidi, kit, listener.get(), hits, &latenciesMs, &lost, &finished);
      },
      [&](AppView&) { return !striker.joinable() || finished.load() >= hits; });
  const double meanFrame = RunApp(app);
  if (striker.joinable()) striker.join();
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  if (latenciesMs.empty()) return 1;
  std::printf("hits %zu (%zu never came out), mean frame %.2f ms%s\n", latenciesMs.size(), lost, meanFrame,
              frameMs > 0 ? " (made slow)" : "");
  Report("strike-to-MIDI latency", latenciesMs);
  return 0;
}

// strikes presses 40 times a second, alternating between the two kits, on a
// random pad of each, 5 ms long, at moments that never follow the frames.
void StrikeRolls(SDL_Joystick* const kits[2], int strikes, std::atomic<bool>* done) {
  std::minstd_rand random(11);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the program is recording
  auto next = Clock::now();
  for (int strike = 0; strike < strikes; ++strike) {
    next += std::chrono::microseconds(25000);
    std::this_thread::sleep_until(next - std::chrono::microseconds(random() % 5000));
    SDL_Joystick* kit = kits[strike % 2];
    const int button = static_cast<int>(random() % 4);
    SDL_JoystickSetVirtualButton(kit, button, SDL_PRESSED);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    SDL_JoystickSetVirtualButton(kit, button, SDL_RELEASED);
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the last ones reach the recorder
  done->store(true);
}

int RunLost(int strikes, int frameMs) {
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  SDL_Joystick* const kits[2] = {AttachKit(), AttachKit()};
  std::atomic<bool> done{false};
  std::thread striker(StrikeRolls, kits, strikes, &done);
  size_t recorded = 0;
  BenchApp app(
      frameMs, [](AppView& game) { game.mode = Record; },
      [&](AppView& game) {
        if (!done.load()) return false;
        for (const std::vector<int32_t>& track : game.screens.recorder.liveTrack) recorded += track.size();
        return true;
      });
  const uint32_t notesBefore = GetVoiceEngine().NotesStarted();
  const double meanFrame = RunApp(app);
  striker.join();
  std::printf("strikes %d at 40 per second over two kits, mean frame %.2f ms: notes started %u, events recorded %zu\n",
              strikes, meanFrame, GetVoiceEngine().NotesStarted() - notesBefore, recorded);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return 0;
}

int RunMetronome(double seconds, int frameMs) {
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  g_freqVariation = 0;  // every click the same
  g_heard.assign(static_cast<size_t>((seconds + 1.0) * VoiceEngine::kMixRate), 0.0f);
  GetVoiceEngine().SetRenderObserver(&KeepOutput);
  const size_t wanted = static_cast<size_t>(seconds * VoiceEngine::kMixRate);
  BenchApp app(
      frameMs,
      [](AppView& game) {
        game.mode = FreePlay;
        game.metronome.on = true;
      },
      [wanted](AppView&) { return g_heardFrames.load() >= wanted; });
  const double meanFrame = RunApp(app);
  GetVoiceEngine().SetRenderObserver(nullptr);
  g_heard.resize(g_heardFrames.load());
  std::vector<size_t> onsets;
  size_t silent = 2400;
  for (size_t i = 0; i < g_heard.size(); ++i) {
    if (g_heard[i] == 0.0f) {
      ++silent;
      continue;
    }
    if (silent >= 2400) onsets.push_back(i);
    silent = 0;
  }
  if (onsets.size() < 2) return 1;
  double worst = 0.0;
  for (size_t beat = 0; beat < onsets.size(); ++beat)
    worst = std::max(worst, std::abs(static_cast<double>(onsets[beat]) - static_cast<double>(onsets[0]) -
                                     static_cast<double>(beat) * 24000.0));
  std::printf("metronome 120 BPM, %.0f s, mean frame %.2f ms%s: %zu beats, farthest onset from the grid %.0f samples\n",
              seconds, meanFrame, frameMs > 0 ? " (made slow)" : "", onsets.size(), worst);
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

double ProcessCpuSeconds() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

int RunIdle(double seconds) {
  const fs::path dir = MakeGameDir(false);
  fs::current_path(dir);
  Basalt::PlatformSDL::SetMessageBoxHandler([](const char*, const char*) {});
  const auto start = Clock::now();
  // The main menu left alone: the loop runs as on a player's machine (its
  // frame cap, the real clock), nobody presses anything.
  BenchApp app(
      0, [](AppView&) {},
      [&](AppView&) { return std::chrono::duration<double>(Clock::now() - start).count() >= seconds; });
  const double cpuAtStart = ProcessCpuSeconds();
  RunApp(app);
  const double cpu = ProcessCpuSeconds() - cpuAtStart;
  const long frames = app.Frames();
  std::printf("idle main menu, %.0f s: %.2f CPU-seconds (%.2f cores), %ld frames (%.1f per second)\n", seconds, cpu,
              cpu / seconds, frames, static_cast<double>(frames) / seconds);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const std::string what = argc > 1 ? argv[1] : "latency";
  auto number = [&](int index, double otherwise) { return argc > index ? std::atof(argv[index]) : otherwise; };
  if (what == "latency") return RunLatency(static_cast<size_t>(number(2, 500)), static_cast<int>(number(3, 0)));
  if (what == "midi") return RunMidiLatency(static_cast<size_t>(number(2, 500)), static_cast<int>(number(3, 0)));
  if (what == "lost") return RunLost(static_cast<int>(number(2, 1000)), static_cast<int>(number(3, 100)));
  if (what == "metronome") return RunMetronome(number(2, 60), static_cast<int>(number(3, 0)));
  if (what == "startup") return RunStartup(argc > 2 && std::strcmp(argv[2], "full") == 0);
  if (what == "idle") return RunIdle(number(2, 20));
  std::fprintf(stderr,
               "usage: instrument_bench latency [hits] [frameMs] | midi [hits] [frameMs] | lost [strikes] [frameMs] | metronome [seconds] "
               "[frameMs] | startup [full] | idle [seconds]\n");
  return 2;
}
