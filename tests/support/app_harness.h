#pragma once
// Runs the real program headless: GameApp under Basalt::Core, in a fresh game
// directory written by the content generator, with virtual kits attached
// before start-up, keys pushed through the platform's event pump, message
// boxes captured, and a hand-stepped clock for the program: the instrument
// clock every thread reads stands still between AdvanceClock calls.
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "backline/app/game_app.h"
#include "tests/support/app_view.h"
#include "tests/support/temp_dir.h"

namespace test {

class AppHarness : public TempDirTest {
 public:
  void SetUp() override;
  void TearDown() override;

  // A virtual kit (SDL virtual joystick): present when the program starts,
  // or plugged in while it runs when called from a frame callback.
  SDL_Joystick* AttachKit(uint16_t vendor = 0x1BAD, uint16_t product = 0x0003);
  // Unplugs a kit AttachKit made; returns once the program's input thread has
  // seen it go, so the next frame knows.
  void DetachKit(SDL_Joystick* kit);
  // Runs the program; onFrame runs once after GameApp::Initialize (frame
  // kStarted), then after each frame's GameApp::Update, and returns false to
  // stop. Returns Core::Launch's result.
  static constexpr int kStarted = -1;
  using FrameCallback = std::function<bool(AppView& app, int frame)>;
  bool Run(const FrameCallback& onFrame);

  // Seen by the program on its next frame.
  static void PushKey(SDL_Scancode scancode, bool down);
  // The key that types c (a capital letter, a digit or a space).
  static SDL_Scancode KeyOf(char c);
  // Sets the kit's button and returns once the program's input thread has
  // seen it (so it sounded, stamped with the clock as it stands). Inside a
  // frame callback it waits for the callback's end, after what the callback
  // changed has reached the input thread as a screen's change would, and is
  // then seen at the clock's time when it was called: a callback that sets
  // buttons between clock jumps strikes between two frames.
  static void SetButton(SDL_Joystick* kit, int button, bool down);
  // Sets the kit's axis the same way (a 360 kit's pad strength, say).
  static void SetAxis(SDL_Joystick* kit, int axis, Sint16 value);
  // Sets the kit's D-pad (its first hat, SDL_HAT_UP ...) the same way.
  static void SetHat(SDL_Joystick* kit, Uint8 value);

  // The program's clock in milliseconds, advanced by hand.
  static std::atomic<uint32_t> s_nowMs;
  static void AdvanceClock(uint32_t ms) { s_nowMs += ms; }

  // "caption|text" of every message box shown.
  std::vector<std::string> boxes;
  // The sound slots played, in the order their notes were sent (the back
  // end still plays them), from the input thread and the main thread.
  static std::vector<int> s_played;
  // The same notes with their volumes, their times (ms on the program's
  // clock) and the strengths they were struck with.
  struct PlayedSound {
    int slot;
    float volume;
    uint32_t timeMs;
    float velocity;
  };
  static std::vector<PlayedSound> s_sounds;
  // Guards both lists while the program runs; read them after Run or under it.
  static std::mutex s_soundsMutex;
  // What the program last put into each sound slot it changed: the sample's
  // path, or "" once released or when the sample would not load. Main thread.
  static std::map<int, std::string> s_slotSamples;
  // Records every note of the running program from now on, and every sample
  // loaded into or released from a sound slot.
  static void RecordPlayedSounds();

  // Before Run: the first two channels of what the voice engine hands the
  // audio device are kept, up to seconds of them (written on the audio thread).
  static void ListenToOutput(double seconds);
  // The frames kept so far; the samples of the left and the right channel,
  // once the program has stopped.
  static size_t HeardFrames();
  // While it runs too: whether the last `frames` frames kept were silent (a
  // sound of an earlier program in this process may still ring at the start).
  static bool QuietFor(size_t frames);
  static const std::vector<float>& Heard();
  static const std::vector<float>& HeardRight();
  // The first frame of each sound in samples that follows at least
  // minSilence silent frames (a click's onset, say).
  static std::vector<size_t> Onsets(const std::vector<float>& samples, size_t minSilence);

  std::string LogText() const { return ReadFile("systemlog.txt"); }

  // The frame as the program draws it now (ARGB, top row first), drawn
  // again from within a frame callback; width x height pixels.
  static std::vector<uint32_t> CaptureFrame(unsigned* width, unsigned* height);
  // Writes the frame as a PNG file.
  static bool WritePng(const std::string& path, const std::vector<uint32_t>& pixels, unsigned width, unsigned height);

 private:
  std::vector<SDL_Joystick*> m_kits;
};

}  // namespace test
