#include "backline/screens/assign_mode.h"

#include <algorithm>

#include "backline/gui/program_gui.h"
#include "backline/scene/camera.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

namespace {

constexpr float kCameraSeconds = 0.25f;
constexpr float kRestLevel = 0.5f;
constexpr float kVolumeUp = 0.105f, kVolumeDown = 0.095f;  // one shown step (10 x volume) per press
constexpr int kNoneCategory = 5;
constexpr unsigned kVolumeColour = 0xFF3FCCCC;

// Where the camera looks at each pad: one kit, then two kits' kit 0 and kit 1.
constexpr Basalt::vec3f kOneKitCamera[kPadsPerKit] = {
    {-5.5f, 8.5f, -12.0f}, {-2.0f, 11.1f, -10.0f}, {2.0f, 11.1f, -10.0f}, {5.3f, 8.8f, -12.0f}, {0.0f, 1.2f, -12.0f}};
constexpr Basalt::vec3f kTwoKitCamera[kKits][kPadsPerKit] = {
    {{-11.6f, 7.0f, -14.0f},
     {-10.2f, 10.1f, -11.5f},
     {-6.6f, 11.1f, -9.8f},
     {-2.4f, 9.9f, -9.7f},
     {-7.5f, 1.2f, -12.0f}},
    {{2.0f, 9.9f, -9.7f}, {6.2f, 11.1f, -9.8f}, {9.8f, 10.1f, -11.5f}, {11.2f, 7.0f, -14.0f}, {7.3f, 1.2f, -12.0f}}};

const char* const kCategoryNames[kCategoryLines] = {"Snare", "Cymbals/Hi-Hat", "Tom Tom", "Bass", "Other", "None"};

struct ScreenSize {
  unsigned width, height;
};

ScreenSize CurrentScreenSize() { return {Basalt::g_pGUI->GetScreenWidth(), Basalt::g_pGUI->GetScreenHeight()}; }

// A pulse brightness: grows with the frame time and restarts at 0.5 above 1.0.
void AdvanceLevelPulse(float* pulse, float frameTime) {
  *pulse += frameTime;
  if (*pulse > 1.0f) *pulse = 0.5f;
}

void RaiseLevel(float* level, float step, float ceiling) { *level = std::min(*level + step, ceiling); }

void SelectPad(AssignState* state, int kit, int pad) {
  state->selectedKit = kit;
  state->selectedPad = pad;
  state->selectedItem = pad == BassPedal ? kFunctionButton : kPrimaryButton;
}

void StepItem(AssignState* state, int direction) {
  const int first = state->selectedPad == BassPedal ? kFunctionButton : kPrimaryButton;
  const int count = kSecondaryButton - first + 1;
  state->selectedItem = first + (state->selectedItem - first + direction + count) % count;
}

}  // namespace

int AssignScreen::KitsInUse() const { return std::clamp(static_cast<int>(m_kitsShown), 1, kKits); }

int AssignScreen::SelectedPadSlot() const { return PadSlotOf(m_state.selectedKit, m_state.selectedPad); }

void AssignScreen::MoveCamera() {
  const Basalt::vec3f& target =
      KitsInUse() < 2 ? kOneKitCamera[m_state.selectedPad] : kTwoKitCamera[m_state.selectedKit][m_state.selectedPad];
  m_camera.MoveTo(target, kCameraSeconds);
}

// ---- category menu ----

void AssignScreen::CloseCategoryMenu() {
  for (int i = 0; i < kCategoryLines; ++i) m_services.buttons.Level(kFirstCategoryButton + i) = 0.0f;
  m_state.selectedCategory = 0;
}

void AssignScreen::ShowCategoryButtons(float frameTime) {
  const ScreenSize screen = CurrentScreenSize();
  AdvanceLevelPulse(&m_state.categoryPulse, frameTime);
  for (int i = 0; i < kCategoryLines; ++i) {
    float& level = m_services.buttons.Level(kFirstCategoryButton + i);
    if (i == m_state.selectedCategory)
      level = m_state.categoryPulse;
    else
      RaiseLevel(&level, 3.0f * frameTime, kRestLevel);
    m_services.buttons.Show(kFirstCategoryButton + i, screen.width / 2 - 50,
                            screen.height / 2 - 90 + 30 * static_cast<unsigned>(i), kCategoryNames[i]);
  }
}

// One frame of the category menu (and the picker inside it); true when done.
bool AssignScreen::RunCategoryMenu(const ScreenFrame& frame) {
  const int padSlot = SelectedPadSlot(), which = m_state.selectedItem - kPrimaryButton;
  if (m_state.pickerOpen) {
    const int result = m_picker.Run(frame, {padSlot, which, m_state.selectedCategory});
    if (result == kPickerBrowsing) return false;
    m_state.pickerOpen = false;
    return result != kPickerCancelled;
  }
  m_services.buttons.Fade(kFunctionButton, 3, 3.0f, frame.time);
  ShowCategoryButtons(frame.time);
  const MenuKeys& keys = frame.keys;
  if (UpOrYellow(keys)) m_state.selectedCategory = (m_state.selectedCategory + kCategoryLines - 1) % kCategoryLines;
  if (DownOrBlue(keys)) m_state.selectedCategory = (m_state.selectedCategory + 1) % kCategoryLines;
  if (EnterOrGreen(keys)) {
    if (m_state.selectedCategory != kNoneCategory) {
      m_state.pickerOpen = true;
    } else {
      AssignPadSample(&m_services.instrument.pads, m_services.bank, padSlot, which, kNoSample);
      CloseCategoryMenu();
      return true;
    }
  } else if (EscapeOrRed(keys)) {
    CloseCategoryMenu();
    return true;
  }
  static const char* const kHelp[] = {"ENTER/GREEN - modify", "UP/DOWN/YELLOW/BLUE - next/prev menu item",
                                      "BACK/ESC/RED - assignment menu"};
  DrawHelpLines(m_services.canvas.gui, 80, kHelp, 3, kAssignHelpColour);
  return false;
}

// ---- item menu ----

// What an item button shows of a sample: its name, the file name of a path
// the bank does not hold marked missing, or "unassigned".
std::string AssignScreen::SampleCaption(int padSlot, int which) const {
  const PadAssignment& pads = m_services.instrument.pads;
  const int sample = which == PrimarySample ? pads.primary[padSlot] : pads.secondary[padSlot];
  if (IsBankSample(m_services.bank, sample)) return m_services.bank.names[sample];
  if (!PadSampleMissing(pads, padSlot, which)) return "unassigned";
  const std::string path = PadSamplePath(pads, padSlot, which);
  return path.substr(path.find_last_of("\\/") + 1) + " (missing)";
}

void AssignScreen::ShowItemButtons(float frameTime) {
  AssignButtons& buttons = m_services.buttons;
  const PadAssignment& pads = m_services.instrument.pads;
  const int padSlot = SelectedPadSlot();
  const bool pedal = m_state.selectedPad == BassPedal;
  AdvanceLevelPulse(&m_state.pulse, frameTime);
  for (int item = kFunctionButton; item <= kSecondaryButton; ++item) {
    float& level = buttons.Level(item);
    if (item == m_state.selectedItem)
      level = m_state.pulse;
    else
      RaiseLevel(&level, 2.0f * frameTime, item == kFunctionButton && !pedal ? 0.0f : kRestLevel);
  }
  if (m_state.selectedItem == kFunctionButton && PadEnablesSecondaries(pads, padSlot))
    buttons.Level(kPrimaryButton) = buttons.Level(kSecondaryButton) = kRestLevel;
  buttons.Fade(kFirstCategoryButton, kCategoryLines, 3.0f, frameTime);  // after a quick accept in the picker

  const ScreenSize screen = CurrentScreenSize();
  const unsigned x = screen.width / 2 - 50, y = screen.height / 2 - 90;
  buttons.Show(kFunctionButton, x, y, PadEnablesSecondaries(pads, padSlot) ? "enable secondaries" : "normal");
  for (int which = PrimarySample; which <= SecondarySample; ++which)
    buttons.Show(kPrimaryButton + which, x, y + 30 * static_cast<unsigned>(which + 1),
                 SampleCaption(padSlot, which).c_str());
}

void AssignScreen::DrawItemTexts() {
  ProgramGui& gui = m_services.canvas.gui;
  const ScreenSize screen = CurrentScreenSize();
  const unsigned cx = screen.width / 2, cy = screen.height / 2;
  const bool pedal = m_state.selectedPad == BassPedal;
  const unsigned labelColour = pedal ? 0xB2FFFFFF : 0xB2000000;
  if (pedal) gui.DrawText(0, cx - 112, cy - 72, labelColour, "function:");
  gui.DrawText(0, cx - 110, cy - 42, labelColour, "primary:");
  gui.DrawText(0, cx - 125, cy - 12, labelColour, "secondary:");
  const int padSlot = SelectedPadSlot();
  for (int which = PrimarySample; which <= SecondarySample; ++which)
    gui.DrawText(1, cx + 150, cy - 42 + 30 * static_cast<unsigned>(which), kVolumeColour, "%d",
                 static_cast<int>(10.0f * m_services.instrument.volumes.volume[SoundSlotOf(padSlot, which)]));
  static const char* const kHelp[] = {"PAGE UP/DOWN - volume", "ENTER/GREEN - modify",
                                      "UP/DOWN/YELLOW/BLUE - next/prev menu item", "TAB - load/save presets",
                                      "BACK/ESC/RED - menu"};
  DrawHelpLines(gui, 100, kHelp, 5, kAssignHelpColour);
}

void AssignScreen::StepPad(int direction) {
  const int kits = KitsInUse();
  const int index = (SelectedPadSlot() + direction + kits * kPadsPerKit) % (kits * kPadsPerKit);
  SelectPad(&m_state, index / kPadsPerKit, index % kPadsPerKit);
  // Stepping left skips the preview of a pedal that enables secondaries.
  if (direction > 0 || !PadEnablesSecondaries(m_services.instrument.pads, index))
    m_services.instrument.Preview(index, false);
}

void AssignScreen::ChangeVolume(float change) {
  if (m_state.selectedItem == kFunctionButton) return;
  const int padSlot = SelectedPadSlot(), which = m_state.selectedItem - kPrimaryButton;
  PadVolumes& volumes = m_services.instrument.volumes;
  const int soundSlot = SoundSlotOf(padSlot, which);
  volumes.Set(soundSlot, volumes.volume[soundSlot] + change);
  m_services.instrument.Preview(padSlot, which == SecondarySample);
}

void AssignScreen::RunItemMenuKeys(const MenuKeys& keys) {
  if (keys.event[MenuLeft]) StepPad(-1);
  if (keys.event[MenuRight]) StepPad(+1);
  if (UpOrYellow(keys)) StepItem(&m_state, -1);
  if (DownOrBlue(keys)) StepItem(&m_state, +1);
  if (keys.event[MenuPageUp]) ChangeVolume(kVolumeUp);
  if (keys.event[MenuPageDown]) ChangeVolume(-kVolumeDown);
  if (EnterOrGreen(keys)) {
    const int padSlot = SelectedPadSlot();
    PadAssignment& pads = m_services.instrument.pads;
    if (m_state.selectedItem == kFunctionButton)
      pads.function[padSlot] = PadEnablesSecondaries(pads, padSlot) ? NormalFunction : EnableSecondaries;
    else
      m_state.categoryMenuOpen = true;
  }
  if (EscapeOrRed(keys)) ExitAssignScreens(m_services);
}

void AssignScreen::Enter() {
  ClearTextEntry(&m_services.textEntry);
  m_services.textEntry.active = true;
}

void AssignScreen::Leave() { m_services.textEntry.active = false; }

void AssignScreen::Update(const ScreenFrame& frame) {
  const ScreenSize screen = CurrentScreenSize();
  ShowBox(&m_services.canvas.panel, 0.0f, static_cast<float>(screen.height - 120), 300, 120, 1.0f, 0.5f, 0.5f, 0.5f);
  m_sway.sway *= 0.95f;
  if (frame.keys.event[MenuTab]) {
    m_services.screens.SwitchTo(PresetMenu);
    return;
  }
  MoveCamera();
  // Only the picker reads what is typed: nothing typed before it opens counts.
  if (!m_state.pickerOpen && m_services.textEntry.length > 0) ClearTextEntry(&m_services.textEntry);
  if (m_state.categoryMenuOpen) {
    if (RunCategoryMenu(frame)) m_state.categoryMenuOpen = false;
  } else {
    ShowItemButtons(frame.time);
    DrawItemTexts();
    RunItemMenuKeys(frame.keys);
  }
  m_services.canvas.gui.DrawText(6, screen.width / 2 - 60, screen.height - 100, 0x40FFFFFF, "Assign Mode");
}
