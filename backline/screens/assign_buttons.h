#pragma once
// The buttons of Assign Mode and its preset dialogs, each with its
// brightness (its opacity): the three items of the selected pad (function,
// primary, secondary), the six sample categories and the sample picker's
// panel. Assign Mode shows them; its preset menu lets them fade out. Built
// by the program's wiring and handed to those screens; the GUI context owns
// the boxes. Main thread.
#include <array>

class ProgramGui;
namespace Basalt {
class GUIButton;
}

constexpr int kFunctionButton = 0, kPrimaryButton = 1, kSecondaryButton = 2;
constexpr int kFirstCategoryButton = 3, kCategoryLines = 6;
constexpr int kSamplePanelButton = 9;
constexpr int kAssignButtons = 10;
// Their colour (red, green, blue) under the white captions.
constexpr float kButtonTint[3] = {0.35f, 0.5f, 0.7f};
// The colour of the assign screens' help lines.
constexpr unsigned kAssignHelpColour = 0xB2FFE5B2;

class AssignButtons {
 public:
  // Creates the buttons, transparent, in gui.
  explicit AssignButtons(ProgramGui& gui);

  Basalt::GUIButton& Button(int index) const { return *m_buttons[index]; }
  float& Level(int index) { return m_levels[index]; }

  // Shows button index at (x, y) with its brightness and caption.
  void Show(int index, unsigned x, unsigned y, const char* caption);
  // Lowers the brightness of buttons first .. first + count - 1 by
  // perSecond x frameTime, not below 0.
  void Fade(int first, int count, float perSecond, float frameTime);
  // Every button transparent, every brightness 0.
  void Clear();

 private:
  std::array<Basalt::GUIButton*, kAssignButtons> m_buttons{};
  std::array<float, kAssignButtons> m_levels{};
};
