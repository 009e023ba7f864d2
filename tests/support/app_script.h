#pragma once
// A script for the program under AppHarness: key presses, clock jumps,
// waits and checks, played one step at the end of a frame, so a test reads
// as what a user does. Runs at 640 x 480, with the update question answered
// "no", and the program's clock advancing 10 ms a frame.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/app_harness.h"

namespace test {

class ScriptedAppTest : public AppHarness {
 protected:
  static constexpr uint32_t kFrameMs = 10;
  static constexpr unsigned kScreenWidth = 640, kScreenHeight = 480;

  void SetUp() override;

  // One press of key (down, up), then the frames until a screen has read it.
  void Press(SDL_Scancode key, int times = 1);
  // A strike of button on kit: down for a frame, then up.
  void Hit(SDL_Joystick* kit, int button);
  // The keys of text (capital letters, digits, space), one press each.
  void Type(const char* text);
  // The program's clock jumps by ms.
  void Wait(uint32_t ms);
  void Frames(int count);
  // check runs at this point of the script, after a frame's update.
  void Then(std::function<void(AppView&)> check);
  // The script waits until ready holds after a frame's update.
  void Until(std::function<bool(AppView&)> ready);
  // The script waits until the program shows mode.
  void WaitForMode(ScreenId mode);
  // From the main menu into Assign Mode, once the menu keys are read.
  void EnterAssignMode();
  // From the main menu, once it takes keys, chooses entry (MainMenuState's).
  void Choose(int entry);
  // From Assign Mode through the preset menu into its line (0 load, 1 save).
  void OpenPresetDialog(int line);

  // Runs the program through the script, recording the sounds it plays;
  // false when it failed to start.
  bool RunScript();

  struct DrawnText {
    std::string text;
    unsigned font, x, y, colour;
  };
  // The text the frame's screens queued (in a check: this frame's).
  static std::vector<DrawnText> QueuedText();
  // The queued text at (x, y), "" when there is none.
  static std::string TextAt(unsigned x, unsigned y);

 private:
  struct Step {
    std::function<void(AppView&)> action;
    int frames;                           // frames to let pass after it
    std::function<bool(AppView&)> ready;  // when set, the step waits for it
  };
  bool NextFrame(AppView& app);

  std::vector<Step> m_steps;
  size_t m_next = 0;
  int m_idleFrames = 0;
};

}  // namespace test
