// The soak: the real program, headless, for PADLARK_SOAK_SECONDS of wall-clock
// time (default 600) on its own steady clock, with two virtual kits. It goes
// round four rounds until the time is up: Free Play with the metronome on and
// both kits struck at random; a take recorded the same way and saved under
// one of three names (so later takes replace earlier files); a saved take
// opened from the list and played to its end; and Assign Mode driven by
// random keys, a preset loaded from the list and one saved under one of two
// names. Each kit is struck at most 20 times a second, now and then with a
// second pad at once. At the end it waits for every voice to be ready again,
// reads back every file the program wrote, and reports the memory it sampled
// every 5 seconds. Run by scripts/soak, never by CI.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "backline/pads/preset_file.h"
#include "backline/recording/plr_file.h"
#include "backline/scene/drum_set.h"
#include "backline/sound/sound_backend.h"
#include "backline/sound/sound_backend_voices.h"
#include "basalt/foundation/clock.h"
#include "tests/support/app_harness.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Bytes handed out by the allocator and not yet freed.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

double Mib(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Counts the notes the program sends (from the input and main threads, no
// allocation); the metronome clicks on the audio thread and counts its beats.
std::atomic<long> g_strikeSounds{0};
bool (*g_play)(NoteSource, const Note&) = nullptr;
bool CountingPlayNote(NoteSource source, const Note& note) {
  ++g_strikeSounds;
  return g_play(source, note);
}

// One virtual kit struck at random: each strike holds one button (one in
// eight times a second with it) down for one or two frames; strikes come
// 50 to 300 ms apart, in rolls of 50 ms one time in four.
class Striker {
 public:
  Striker(SDL_Joystick* kit, unsigned seed) : m_kit(kit), m_random(seed) {}

  void Frame(Clock::time_point now, bool striking) {
    for (int button = 0; button < kPadButtons; ++button)
      if (m_heldFrames[button] > 0 && --m_heldFrames[button] == 0) test::AppHarness::SetButton(m_kit, button, false);
    if (!striking || now < m_next) return;
    Press(Pick(0, kPadButtons - 1));
    if (Pick(0, 7) == 0) Press(Pick(0, kPadButtons - 1));
    m_next = now + std::chrono::milliseconds(Pick(0, 3) == 0 ? 50 : Pick(50, 300));
    ++strikes;
  }
  bool Idle() const {
    return std::all_of(std::begin(m_heldFrames), std::end(m_heldFrames), [](int frames) { return frames == 0; });
  }

  long strikes = 0;

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  void Press(int button) {
    if (m_heldFrames[button] > 0) return;
    test::AppHarness::SetButton(m_kit, button, true);
    m_heldFrames[button] = Pick(1, 2);
  }

  SDL_Joystick* m_kit;
  std::minstd_rand m_random;
  Clock::time_point m_next{};
  int m_heldFrames[kPadButtons] = {};
};

struct MemorySample {
  double seconds;
  size_t heap, resident;
};

// What the program held when it was asked to save a file, by file name.
struct SavedTake {
  size_t events;
  int32_t length;
};
// A preset file holds the volumes of sound slots 0..14 only (its format's
// volume block stores slots 5..9 twice instead of 15..19).
constexpr int kStoredVolumeSlots = 15;
struct SavedPreset {
  PadAssignment pads;
  PadVolumes volumes;
};

class SoakTest : public test::AppHarness {
 protected:
  // A step runs once per frame until it returns true.
  using Step = std::function<bool(AppView&)>;

  void SetUp() override {
    AppHarness::SetUp();
    if (const char* seconds = std::getenv("PADLARK_SOAK_SECONDS")) m_seconds = std::atof(seconds);
    m_baselineSeconds = std::min(60.0, m_seconds / 2);
    test::WriteFile("settings.cfg", "g_screenWidth = 640\ng_screenHeight = 480\n");
    test::WriteFile("rmd.dat", "n");
    Basalt::SetTimeSource(nullptr);
    m_memory.reserve(static_cast<size_t>(m_seconds / kSampleSeconds) + 100);
    m_atMenu.reserve(static_cast<size_t>(m_seconds) + 100);
  }

  // ---- steps ----
  void Do(std::function<void(AppView&)> action) {
    m_steps.push_back([action](AppView& app) {
      action(app);
      return true;
    });
  }
  void Frames(int count) {
    m_steps.push_back([count](AppView&) mutable { return --count < 0; });
  }
  void For(double seconds) {
    m_steps.push_back([seconds, end = Clock::time_point{}](AppView&) mutable {
      if (end == Clock::time_point{})
        end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
      return Clock::now() >= end;
    });
  }
  // Waits for ready; after 15 s the soak fails as stuck.
  void Until(const char* what, std::function<bool(AppView&)> ready) {
    m_steps.push_back([this, what, ready, start = Clock::time_point{}](AppView& app) mutable {
      if (start == Clock::time_point{}) start = Clock::now();
      if (ready(app)) return true;
      if (SecondsSince(start) > 15.0) {
        ADD_FAILURE() << "stuck waiting for " << what << " (screen " << app.mode << ", round " << m_rounds << ")";
        m_stop = true;
      }
      return false;
    });
  }
  void WaitForMode(ScreenId mode) {
    Until("a screen", [mode](AppView& app) { return app.mode == mode; });
  }
  void Key(SDL_Scancode key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      Do([key](AppView&) {
        PushKey(key, true);
        PushKey(key, false);
      });
      Frames(2);
    }
  }
  void Type(const std::string& text) {
    for (char c : text) Key(KeyOf(c));
  }
  void Striking(bool on) {
    Do([this, on](AppView&) { m_striking = on; });
    if (!on) Until("the kits to be let go", [this](AppView&) { return m_kits[0]->Idle() && m_kits[1]->Idle(); });
    Frames(3);  // a pad hit is also a menu key: let it pass before the next key
  }
  void Choose(int entry, ScreenId mode) {
    WaitForMode(MainMenu);
    Until("the menu keys", [](AppView& app) { return app.menuKeys.startupTime >= MenuKeys::kStartupHold; });
    Do([entry](AppView& app) { app.screens.mainMenu.selection = entry; });
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(mode);
  }
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

  // ---- rounds ----
  void FreePlayRound() {
    Choose(0, FreePlay);
    Key(SDL_SCANCODE_SPACE);
    Striking(true);
    for (int i = 0; i < 5; ++i) {
      For(5.0);
      Key(Pick(0, 1) ? SDL_SCANCODE_UP : SDL_SCANCODE_DOWN, Pick(1, 4));
    }
    Striking(false);
    Key(SDL_SCANCODE_ESCAPE);
  }
  void RecordRound() {
    Choose(2, Record);
    Striking(true);
    For(20.0);
    Striking(false);
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(SaveRecordingName);
    const std::string name = "TAKE " + std::to_string(m_takesSaved % 3 + 1);
    Do([this, name](AppView& app) {
      size_t events = 0;
      for (const std::vector<int32_t>& track : app.recording.tracks) events += track.size();
      m_takes[Lowered(name) + ".plr"] = {events, app.recording.length};
    });
    Type(name);
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(MainMenu);
    ++m_takesSaved;
  }
  void PlaybackRound() {
    Choose(3, OpenRecording);
    Key(SDL_SCANCODE_DOWN, Pick(0, 2));
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(Playback);
    Until("the take's end", [](AppView& app) {
      return (Basalt::GetTimeNs() - app.screens.player.startTime) / Basalt::kNsPerMs > app.recording.length + 500;
    });
    Key(SDL_SCANCODE_ESCAPE);
    WaitForMode(MainMenu);
    ++m_playbacks;
  }
  void AssignRound() {
    Choose(1, Assign);
    RandomAssignKeys(30);
    OpenPresetDialog(0, LoadPresetList);
    Key(SDL_SCANCODE_DOWN, Pick(0, 3));
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(Assign);
    RandomAssignKeys(15);
    OpenPresetDialog(1, SavePresetName);
    const std::string name = "KIT " + std::to_string(m_presetsSaved % 2 + 1);
    Do([this, name](AppView& app) { m_presets[Lowered(name) + ".preset"] = {app.instrument.pads, app.instrument.volumes}; });
    Type(name);
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(MainMenu);
    ++m_presetsSaved;
  }
  // Keys that move around the pads, items, categories and the picker, change
  // volumes, assign and search, without leaving Assign Mode.
  void RandomAssignKeys(int count) {
    static const SDL_Scancode kKeys[] = {SDL_SCANCODE_LEFT,   SDL_SCANCODE_RIGHT,    SDL_SCANCODE_UP,
                                         SDL_SCANCODE_DOWN,   SDL_SCANCODE_PAGEUP,   SDL_SCANCODE_PAGEDOWN,
                                         SDL_SCANCODE_RETURN, SDL_SCANCODE_RETURN,   SDL_SCANCODE_S,
                                         SDL_SCANCODE_K,      SDL_SCANCODE_BACKSPACE};
    for (int i = 0; i < count; ++i) {
      Key(kKeys[Pick(0, static_cast<int>(std::size(kKeys)) - 1)]);
      Frames(Pick(0, 20));
    }
  }
  void OpenPresetDialog(int line, ScreenId dialog) {
    Key(SDL_SCANCODE_TAB);
    WaitForMode(PresetMenu);
    Do([line](AppView& app) { app.screens.presetMenu.line = line; });
    Key(SDL_SCANCODE_RETURN);
    WaitForMode(dialog);
  }
  static std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  }

  // The next round, or the end once the time is up.
  void NextRound() {
    m_atMenu.push_back({SecondsSince(m_start), HeapInUse(), ResidentBytes()});
    if (SecondsSince(m_start) >= m_seconds) return Finish();
    switch (m_rounds++ % 4) {
      case 0:
        return FreePlayRound();
      case 1:
        return RecordRound();
      case 2:
        return PlaybackRound();
      default:
        return AssignRound();
    }
  }
  void Finish() {
    m_finished = true;
    Do([this](AppView&) { m_quietSince = Clock::now(); });
    Until("every voice to be ready", [this](AppView&) { return m_usesVoices ? AllVoicesReady() : true; });
    Do([this](AppView&) { m_readyAfter = SecondsSince(m_quietSince); });
    Do([this](AppView& app) { CheckFiles(app); });
  }

  // ---- checks ----
  static bool AllVoicesReady() {
    const VoiceEngine& engine = GetVoiceEngine();
    for (int record = 0; record < VoiceEngine::kVoiceRecords; ++record) {
      const VoiceEngine::VoiceInfo voice = engine.GetVoice(record);
      if (voice.state == VoiceEngine::kPlaying || (voice.hasVoice && voice.state != VoiceEngine::kReady)) return false;
    }
    return true;
  }
  void CheckFiles(AppView& app) {
    for (const auto& [name, take] : m_takes) {
      Recording loaded;
      ASSERT_TRUE(LoadRecordingFile(("recordings/" + name).c_str(), &loaded)) << name;
      size_t events = 0;
      for (const std::vector<int32_t>& track : loaded.tracks) events += track.size();
      EXPECT_EQ(events, take.events) << name;
      EXPECT_EQ(loaded.length, take.length) << name;
    }
    for (const auto& [name, preset] : m_presets) {
      PadAssignment pads;
      PadVolumes volumes;
      ASSERT_TRUE(LoadPreset(("presets/" + name).c_str(), &pads, app.bank, &volumes)) << name;
      EXPECT_EQ(std::memcmp(&pads, &preset.pads, sizeof pads), 0) << name;
      for (int slot = 0; slot < kStoredVolumeSlots; ++slot)
        EXPECT_NEAR(volumes.volume[slot], preset.volumes.volume[slot], 1e-6f) << name << " slot " << slot;
    }
    PadAssignment pads;
    PadVolumes volumes;
    EXPECT_TRUE(LoadPreset("presets/default.preset", &pads, app.bank, &volumes));
    for (const char* folder : {"recordings", "presets"})
      for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        EXPECT_NE(entry.path().extension(), ".partial") << entry.path();
        ++m_files;
      }
  }

  bool Frame(AppView& app, int frame) {
    if (frame == kStarted) {
      m_start = Clock::now();
      m_usesVoices = g_soundBackend.PlayNote == SoundBackendVoices().PlayNote;
      g_play = g_soundBackend.PlayNote;
      g_soundBackend.PlayNote = &CountingPlayNote;
      EXPECT_EQ(app.numDrumSets, 2u);
      return true;
    }
    ++m_frames;
    SampleMemory();
    for (auto& striker : m_kits) striker->Frame(Clock::now(), m_striking);
    while (!m_stop && !m_steps.empty() && m_steps.front()(app)) m_steps.pop_front();
    if (m_stop) return false;
    if (m_steps.empty()) {
      if (m_finished) return false;
      NextRound();
    }
    return true;
  }
  void SampleMemory() {
    const double seconds = SecondsSince(m_start);
    if (!m_memory.empty() && seconds < m_memory.back().seconds + kSampleSeconds) return;
    m_memory.push_back({seconds, HeapInUse(), ResidentBytes()});
  }

  // The first sample once the first minute (half of a shorter run) is over.
  std::vector<MemorySample>::const_iterator AfterBaseline(const std::vector<MemorySample>& samples) const {
    return std::find_if(samples.begin(), samples.end(),
                        [this](const MemorySample& s) { return s.seconds >= m_baselineSeconds; });
  }
  // How far the heap in use, back at the main menu after a round, rose above
  // its level at the first return after the first minute (0 for a run too short to tell).
  double HeapRiseAtMenuMib() const {
    const auto first = AfterBaseline(m_atMenu);
    size_t highest = first == m_atMenu.end() ? 0 : first->heap;
    for (auto s = first; s != m_atMenu.end(); ++s) highest = std::max(highest, s->heap);
    return first == m_atMenu.end() ? 0.0 : Mib(highest) - Mib(first->heap);
  }

  void Report() const;

  static constexpr double kSampleSeconds = 5.0;
  double m_seconds = 600.0, m_baselineSeconds = 60.0;
  std::deque<Step> m_steps;
  std::minstd_rand m_random{20261208};
  std::unique_ptr<Striker> m_kits[2];
  bool m_striking = false, m_stop = false, m_finished = false, m_usesVoices = false;
  Clock::time_point m_start, m_quietSince;
  double m_readyAfter = -1.0;
  long m_frames = 0, m_files = 0;
  int m_rounds = 0, m_takesSaved = 0, m_playbacks = 0, m_presetsSaved = 0;
  std::map<std::string, SavedTake> m_takes;
  std::map<std::string, SavedPreset> m_presets;
  std::vector<MemorySample> m_memory;
  std::vector<MemorySample> m_atMenu;  // back at the main menu after each round
};

void SoakTest::Report() const {
  const double seconds = m_memory.empty() ? 0.0 : SecondsSince(m_start);
  std::printf("soak: %.0f s, %d rounds, %ld frames (mean %.2f ms)\n", seconds, m_rounds, m_frames,
              m_frames ? 1000.0 * seconds / static_cast<double>(m_frames) : 0.0);
  std::printf("strikes: kit 1 %ld, kit 2 %ld; pad sounds played %ld, metronome clicks %ld\n", m_kits[0]->strikes,
              m_kits[1]->strikes, g_strikeSounds.load(), static_cast<long>(g_soundBackend.MetronomeBeats()));
  std::printf("takes saved %d, played back %d; presets saved %d; %ld files read back whole\n", m_takesSaved,
              m_playbacks, m_presetsSaved, m_files);
  std::printf("every voice ready %.2f s after the last round\n", m_readyAfter);
  std::printf("memory every 30 s (heap in use / resident, MiB):\n");
  for (size_t i = 0; i < m_memory.size(); i += static_cast<size_t>(30 / kSampleSeconds))
    std::printf("  %5.0f s  %8.2f  %8.2f\n", m_memory[i].seconds, Mib(m_memory[i].heap), Mib(m_memory[i].resident));
  std::printf("back at the main menu after each round (heap in use / resident, MiB):\n");
  for (const MemorySample& s : m_atMenu)
    std::printf("  %5.0f s  %8.2f  %8.2f\n", s.seconds, Mib(s.heap), Mib(s.resident));
  const auto baseline = AfterBaseline(m_memory);
  if (baseline == m_memory.end()) return;
  size_t heapPeak = 0, residentPeak = 0;
  for (auto s = baseline; s != m_memory.end(); ++s) {
    heapPeak = std::max(heapPeak, s->heap);
    residentPeak = std::max(residentPeak, s->resident);
  }
  std::printf("heap at the main menu rose by %.2f MiB after the first minute\n", HeapRiseAtMenuMib());
  std::printf("after %.0f s: heap %.2f MiB, peak %.2f, end %.2f; resident %.2f MiB, peak %.2f, end %.2f\n",
              baseline->seconds, Mib(baseline->heap), Mib(heapPeak), Mib(m_memory.back().heap), Mib(baseline->resident),
              Mib(residentPeak), Mib(m_memory.back().resident));
}

TEST_F(SoakTest, TheProgramPlaysRecordsAndSavesForTheWholeTimeWithoutLosingAnything) {
  m_kits[0] = std::make_unique<Striker>(AttachKit(), 1);
  m_kits[1] = std::make_unique<Striker>(AttachKit(), 2);
  ASSERT_TRUE(Run([this](AppView& app, int frame) { return Frame(app, frame); }));
  Report();
  EXPECT_TRUE(m_finished);
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_GE(m_readyAfter, 0.0);
  EXPECT_LE(HeapRiseAtMenuMib(), 4.0) << "the heap grows from round to round";
}

}  // namespace
