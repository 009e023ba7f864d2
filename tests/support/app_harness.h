#pragma once
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

class GameApp;

namespace test {

// Runs the real program, GameApp under the real Core, headless in a fresh
// game directory made by the content generator ("game" in the test's
// directory, the working directory while the test runs). The test writes a
// script of steps (key presses, kit strikes, clock jumps, checks) and Run
// plays it, one step at the end of a frame, then ends the program. The
// program's clock is a fake one advancing 10 ms a frame; message boxes and
// played sounds are recorded.
class AppHarnessTest : public TempDirTest {
 public:
  struct MessageBox {
    std::string caption, text;
  };
  struct PlayedSound {
    int slot;
    float volume;
  };
  // What the run showed and played; sounds only while the script runs.
  static std::vector<MessageBox> s_messageBoxes;
  static std::vector<PlayedSound> s_played;

 protected:
  static constexpr uint32_t kFrameMs = 10;

  // Content generated, settings written (640 x 480, no update check).
  void SetUp() override;
  void TearDown() override;

  // Before Run: drum kits the program finds at start ("Harmonix Drum Kit").
  void AttachKits(int count);

  // Script steps.
  // One press of key: down and up, then the frames until a screen has read it.
  void Press(SDL_Scancode key, int times = 1);
  // The keys of text (capital letters, digits, space), one press each.
  void Type(const char* text);
  // A strike of button on kit: down for a frame, then up.
  void Strike(int kit, int button);
  // The program's clock jumps by ms.
  void Wait(uint32_t ms);
  void Frames(int count);
  // check runs at this point of the script, after a frame's update.
  void Then(std::function<void(GameApp&)> check);
  // The script waits until ready holds after a frame's update.
  void Until(std::function<bool(GameApp&)> ready);
  // From the main menu (where the program starts) into Assign Mode, once the
  // menu keys are read.
  void EnterAssignMode();

  // Runs the program through the script; false when it failed to start.
  bool Run();

  struct DrawnText {
    std::string text;
    unsigned font, x, y, colour;
  };
  // The text the frame's screens queued so far (in a check: this frame's).
  static std::vector<DrawnText> QueuedText();
  // The queued text at (x, y), "" when there is none.
  static std::string TextAt(unsigned x, unsigned y);

  // Reads back the frame the program would show now and writes it as a PNG.
  static bool SaveScreenshot(const std::string& path);

 private:
  class ScriptedApp;
  struct Step {
    std::function<void(GameApp&)> action;
    int frames;                         // frames to let pass after it
    std::function<bool(GameApp&)> ready;  // when set, the step waits for it
  };
  bool NextFrame(GameApp& app);

  std::vector<Step> m_steps;
  size_t m_next = 0;
  int m_idleFrames = 0;
  std::vector<SDL_Joystick*> m_kits;
};

}  // namespace test
