#pragma once
// Runs the real program headless: GameApp under Basalt::Core, in a fresh game
// directory written by the content generator, with virtual kits attached
// before start-up, keys pushed through the platform's event pump, message
// boxes captured, and a hand-stepped millisecond clock for the program.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "backline/app/game_app.h"
#include "tests/support/temp_dir.h"

namespace test {

class AppHarness : public TempDirTest {
 public:
  void SetUp() override;
  void TearDown() override;

  // A virtual kit present when the program starts (SDL virtual joystick).
  SDL_Joystick* AttachKit(uint16_t vendor = 0x1BAD, uint16_t product = 0x0003);
  // Runs the program; onFrame runs once after GameApp::Init (frame
  // kStarted), then after each frame's GameApp::Update, and returns false to
  // stop. Returns Core::Launch's result.
  static constexpr int kStarted = -1;
  using FrameCallback = std::function<bool(GameApp& app, int frame)>;
  bool Run(const FrameCallback& onFrame);

  // Seen by the program on its next frame.
  static void PushKey(SDL_Scancode scancode, bool down);
  // The key that types c (a capital letter, a digit or a space).
  static SDL_Scancode KeyOf(char c);
  // Seen by the program's input thread when this returns (if the program runs).
  static void SetButton(SDL_Joystick* kit, int button, bool down);

  // The program's clock, advanced by hand.
  static uint32_t s_nowMs;
  static void AdvanceClock(uint32_t ms) { s_nowMs += ms; }

  // "caption|text" of every message box shown.
  std::vector<std::string> boxes;
  // The sound slots played, in order (the back end still plays them).
  static std::vector<int> s_played;
  // The same plays with their volumes and the program's clock then.
  struct PlayedSound {
    int slot;
    float volume;
    uint32_t timeMs;
  };
  static std::vector<PlayedSound> s_sounds;
  // Records every PlaySample of the running program from now on.
  static void RecordPlayedSounds();

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
