#include "backline/screens/assign_mode.h"

#include <algorithm>
#include <string>

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/pads/preset_file.h"
#include "backline/scene/camera.h"
#include "backline/screens/preset_dialogs.h"
#include "backline/screens/sample_picker.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

namespace {

constexpr float kCameraSeconds = 0.25f;
constexpr float kRestLevel = 0.5f;
constexpr float kVolumeUp = 0.105f, kVolumeDown = 0.095f;  // one shown step (10 x volume) per press
constexpr int kNoneCategory = 5;
constexpr unsigned kHelpColour = 0xB2FFE5B2;
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

struct Screen {
  unsigned width, height;
};

Screen ScreenSize() { return {Basalt::g_pGUI->GetScreenWidth(), Basalt::g_pGUI->GetScreenHeight()}; }

int KitsInUse(const GameApp& app) { return std::clamp(static_cast<int>(app.numDrumSets), 1, kKits); }

int SelectedPadSlot(const AssignState& state) { return PadSlotOf(state.selectedKit, state.selectedPad); }

bool Pressed(const GameApp& app, MenuKey key) { return app.menuKeys.event[key]; }

// A pulse brightness: grows with the frame time and restarts at 0.5 above 1.0.
void AdvanceLevelPulse(float* pulse, float frameTime) {
  *pulse += frameTime;
  if (*pulse > 1.0f) *pulse = 0.5f;
}

void RaiseLevel(float* level, float step, float ceiling) { *level = std::min(*level + step, ceiling); }

// Shows menu button index at (x, y) with its brightness and caption.
void ShowMenuButton(GameApp& app, int index, unsigned x, unsigned y, const char* caption) {
  Basalt::GUIButton* button = app.menuButtons[index];
  button->SendMessageA(Basalt::GUIMessage::Caption(caption));
  ShowBox(button, static_cast<float>(x), static_cast<float>(y), 200, 30, app.screens.assign.buttonLevel[index],
          kButtonTint[0], kButtonTint[1], kButtonTint[2]);
}

void MoveCamera(GameApp& app) {
  const AssignState& state = app.screens.assign;
  const Basalt::vec3f& target =
      KitsInUse(app) < 2 ? kOneKitCamera[state.selectedPad] : kTwoKitCamera[state.selectedKit][state.selectedPad];
  app.camera->MoveTo(target, kCameraSeconds);
}

// ---- category menu ----

void CloseCategoryMenu(GameApp& app) {
  AssignState& state = app.screens.assign;
  for (int i = 0; i < kCategoryLines; ++i) state.buttonLevel[kFirstCategoryButton + i] = 0.0f;
  state.selectedCategory = 0;
}

void ShowCategoryButtons(GameApp& app) {
  AssignState& state = app.screens.assign;
  const Screen screen = ScreenSize();
  AdvanceLevelPulse(&state.categoryPulse, app.frameTime);
  for (int i = 0; i < kCategoryLines; ++i) {
    float& level = state.buttonLevel[kFirstCategoryButton + i];
    if (i == state.selectedCategory)
      level = state.categoryPulse;
    else
      RaiseLevel(&level, 3.0f * app.frameTime, kRestLevel);
    ShowMenuButton(app, kFirstCategoryButton + i, screen.width / 2 - 50,
                   screen.height / 2 - 90 + 30 * static_cast<unsigned>(i), kCategoryNames[i]);
  }
}

// One frame of the category menu (and the picker inside it); true when done.
bool RunCategoryMenu(GameApp& app, int padSlot, int which) {
  AssignState& state = app.screens.assign;
  if (state.pickerOpen) {
    const int result = RunSamplePicker(app, padSlot, which, state.selectedCategory);
    if (result == kPickerBrowsing) return false;
    state.pickerOpen = false;
    return result != kPickerCancelled;
  }
  FadeMenuButtons(app, kFunctionButton, 3, 3.0f);
  ShowCategoryButtons(app);
  if (UpOrYellow(app.menuKeys)) state.selectedCategory = (state.selectedCategory + kCategoryLines - 1) % kCategoryLines;
  if (DownOrBlue(app.menuKeys)) state.selectedCategory = (state.selectedCategory + 1) % kCategoryLines;
  if (EnterOrGreen(app.menuKeys)) {
    if (state.selectedCategory != kNoneCategory) {
      state.pickerOpen = true;
    } else {
      AssignPadSample(&app.instrument.pads, app.bank, padSlot, which, kNoSample);
      CloseCategoryMenu(app);
      return true;
    }
  } else if (EscapeOrRed(app.menuKeys)) {
    CloseCategoryMenu(app);
    return true;
  }
  static const char* const kHelp[] = {"ENTER/GREEN - modify", "UP/DOWN/YELLOW/BLUE - next/prev menu item",
                                      "BACK/ESC/RED - assignment menu"};
  DrawAssignHelp(app, 80, kHelp, 3);
  return false;
}

// ---- item menu ----

// What an item button shows of a sample: its name, the file name of a path
// the bank does not hold marked missing, or "unassigned".
std::string SampleCaption(const GameApp& app, int padSlot, int which) {
  const int sample =
      which == PrimarySample ? app.instrument.pads.primary[padSlot] : app.instrument.pads.secondary[padSlot];
  if (IsBankSample(app.bank, sample)) return app.bank.names[sample];
  if (!PadSampleMissing(app.instrument.pads, padSlot, which)) return "unassigned";
  const std::string path = PadSamplePath(app.instrument.pads, padSlot, which);
  return path.substr(path.find_last_of("\\/") + 1) + " (missing)";
}

void ShowItemButtons(GameApp& app) {
  AssignState& state = app.screens.assign;
  const int padSlot = SelectedPadSlot(state);
  const bool pedal = state.selectedPad == BassPedal;
  AdvanceLevelPulse(&state.pulse, app.frameTime);
  for (int item = kFunctionButton; item <= kSecondaryButton; ++item) {
    float& level = state.buttonLevel[item];
    if (item == state.selectedItem)
      level = state.pulse;
    else
      RaiseLevel(&level, 2.0f * app.frameTime, item == kFunctionButton && !pedal ? 0.0f : kRestLevel);
  }
  if (state.selectedItem == kFunctionButton && PadEnablesSecondaries(app.instrument.pads, padSlot))
    state.buttonLevel[kPrimaryButton] = state.buttonLevel[kSecondaryButton] = kRestLevel;
  FadeMenuButtons(app, kFirstCategoryButton, kCategoryLines, 3.0f);  // after a quick accept in the picker

  const Screen screen = ScreenSize();
  const unsigned x = screen.width / 2 - 50, y = screen.height / 2 - 90;
  ShowMenuButton(app, kFunctionButton, x, y,
                 PadEnablesSecondaries(app.instrument.pads, padSlot) ? "enable secondaries" : "normal");
  for (int which = PrimarySample; which <= SecondarySample; ++which)
    ShowMenuButton(app, kPrimaryButton + which, x, y + 30 * static_cast<unsigned>(which + 1),
                   SampleCaption(app, padSlot, which).c_str());
}

void DrawItemTexts(GameApp& app) {
  const AssignState& state = app.screens.assign;
  const Screen screen = ScreenSize();
  const unsigned cx = screen.width / 2, cy = screen.height / 2;
  const bool pedal = state.selectedPad == BassPedal;
  const unsigned labelColour = pedal ? 0xB2FFFFFF : 0xB2000000;
  if (pedal) app.guiContext->DrawTextA(0, cx - 112, cy - 72, labelColour, "function:");
  app.guiContext->DrawTextA(0, cx - 110, cy - 42, labelColour, "primary:");
  app.guiContext->DrawTextA(0, cx - 125, cy - 12, labelColour, "secondary:");
  const int padSlot = SelectedPadSlot(state);
  for (int which = PrimarySample; which <= SecondarySample; ++which)
    app.guiContext->DrawTextA(1, cx + 150, cy - 42 + 30 * static_cast<unsigned>(which), kVolumeColour, "%d",
                              static_cast<int>(10.0f * app.instrument.volumes.volume[SoundSlotOf(padSlot, which)]));
  static const char* const kHelp[] = {"PAGE UP/DOWN - volume", "ENTER/GREEN - modify",
                                      "UP/DOWN/YELLOW/BLUE - next/prev menu item", "TAB - load/save presets",
                                      "BACK/ESC/RED - menu"};
  DrawAssignHelp(app, 100, kHelp, 5);
}

void SelectPad(AssignState* state, int kit, int pad) {
  state->selectedKit = kit;
  state->selectedPad = pad;
  state->selectedItem = pad == BassPedal ? kFunctionButton : kPrimaryButton;
}

void StepPad(GameApp& app, int direction) {
  AssignState& state = app.screens.assign;
  const int kits = KitsInUse(app);
  const int index = (SelectedPadSlot(state) + direction + kits * kPadsPerKit) % (kits * kPadsPerKit);
  SelectPad(&state, index / kPadsPerKit, index % kPadsPerKit);
  // Stepping left skips the preview of a pedal that enables secondaries.
  if (direction > 0 || !PadEnablesSecondaries(app.instrument.pads, index)) app.instrument.Preview(index, false);
}

void StepItem(AssignState* state, int direction) {
  const int first = state->selectedPad == BassPedal ? kFunctionButton : kPrimaryButton;
  const int count = kSecondaryButton - first + 1;
  state->selectedItem = first + (state->selectedItem - first + direction + count) % count;
}

void ChangeVolume(GameApp& app, float change) {
  const AssignState& state = app.screens.assign;
  if (state.selectedItem == kFunctionButton) return;
  const int padSlot = SelectedPadSlot(state), which = state.selectedItem - kPrimaryButton;
  PadVolumes& volumes = app.instrument.volumes;
  const int soundSlot = SoundSlotOf(padSlot, which);
  volumes.Set(soundSlot, volumes.volume[soundSlot] + change);
  app.instrument.Preview(padSlot, which == SecondarySample);
}

void RunItemMenuKeys(GameApp& app) {
  AssignState& state = app.screens.assign;
  if (Pressed(app, MenuLeft)) StepPad(app, -1);
  if (Pressed(app, MenuRight)) StepPad(app, +1);
  if (UpOrYellow(app.menuKeys)) StepItem(&state, -1);
  if (DownOrBlue(app.menuKeys)) StepItem(&state, +1);
  if (Pressed(app, MenuPageUp)) ChangeVolume(app, kVolumeUp);
  if (Pressed(app, MenuPageDown)) ChangeVolume(app, -kVolumeDown);
  if (EnterOrGreen(app.menuKeys)) {
    const int padSlot = SelectedPadSlot(state);
    if (state.selectedItem == kFunctionButton)
      app.instrument.pads.function[padSlot] =
          PadEnablesSecondaries(app.instrument.pads, padSlot) ? NormalFunction : EnableSecondaries;
    else
      state.categoryMenuOpen = true;
  }
  if (EscapeOrRed(app.menuKeys)) ExitAssignMode(app);
}

}  // namespace

void UpdateAssignMode(GameApp& app) {
  AssignState& state = app.screens.assign;
  const Screen screen = ScreenSize();
  ShowBox(app.panelButton, 0.0f, static_cast<float>(screen.height - 120), 300, 120, 1.0f, 0.5f, 0.5f, 0.5f);
  app.sway.sway *= 0.95f;
  if (Pressed(app, MenuTab)) {
    app.textEntry.active = false;
    app.mode = PresetMenu;
    return;
  }
  MoveCamera(app);
  // Only the picker reads what is typed: nothing typed before it opens counts.
  if (!state.pickerOpen && app.textEntry.length > 0) ClearTextEntry(&app.textEntry);
  if (state.categoryMenuOpen) {
    if (RunCategoryMenu(app, SelectedPadSlot(state), state.selectedItem - kPrimaryButton))
      state.categoryMenuOpen = false;
  } else {
    ShowItemButtons(app);
    DrawItemTexts(app);
    RunItemMenuKeys(app);
  }
  app.guiContext->DrawTextA(6, screen.width / 2 - 60, screen.height - 100, 0x40FFFFFF, "Assign Mode");
}

void EnterAssignMode(GameApp& app) {
  ClearTextEntry(&app.textEntry);
  app.textEntry.active = true;
  app.mode = Assign;
}

void LeaveAssignScreens(GameApp& app, AppMode next) {
  for (int i = 0; i < AssignState::kMenuButtons; ++i) {
    app.screens.assign.buttonLevel[i] = 0.0f;
    SetBoxOpacity(app.menuButtons[i], 0.0f);
  }
  app.textEntry.active = false;
  app.mode = next;
}

void ExitAssignMode(GameApp& app) {
  SaveAssignedPreset(app, kDefaultPresetPath);
  LeaveAssignScreens(app, MainMenu);
}

bool InAssignScreens(AppMode mode) {
  return mode == Assign || mode == PresetMenu || mode == LoadPresetList || mode == SavePresetName;
}

void FadeMenuButtons(GameApp& app, int first, int count, float perSecond) {
  for (int i = first; i < first + count; ++i) {
    float& level = app.screens.assign.buttonLevel[i];
    level = std::max(level - perSecond * app.frameTime, 0.0f);
    SetBoxOpacity(app.menuButtons[i], level);
  }
}

void DrawAssignHelp(GameApp& app, unsigned fromBottom, const char* const* lines, int count) {
  const unsigned top = ScreenSize().height - fromBottom;
  for (int i = 0; i < count; ++i)
    app.guiContext->DrawTextA(0, 10, top + 20 * static_cast<unsigned>(i), kHelpColour, "%s", lines[i]);
}
