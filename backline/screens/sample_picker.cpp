#include "backline/screens/sample_picker.h"

#include <algorithm>
#include <cctype>

#include "backline/app/game_app.h"
#include "backline/common/app_clock.h"
#include "backline/gui/cctest.h"
#include "backline/screens/assign_mode.h"
#include "backline/screens/screen_widgets.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

namespace {

constexpr unsigned kPanelMinWidth = 200, kPanelHeight = 50;

int SampleAt(int category, int position) { return category * SampleBank::kPerCategory + position; }

bool BeginsWith(const char* name, const char* search) {
  for (; *name && *search; ++name, ++search)
    if (std::tolower(static_cast<unsigned char>(*name)) != std::tolower(static_cast<unsigned char>(*search)))
      return false;
  return true;
}

void ClearSearch(PickerState* picker) {
  picker->searchLength = 0;
  picker->search[0] = '\0';
}

// Shows the name of the cursor's sample in the panel; returns the panel's centre.
unsigned ShowSampleName(GameApp& app, const char* name) {
  Basalt::GUIButton* panel = app.menuButtons[kSamplePanelButton];
  panel->SendMessageA(Basalt::GUIMessage::Caption(name));
  const unsigned width = std::max(kPanelMinWidth, panel->GetCaptionWidth() + Basalt::GUIButton::kCaptionMargin);
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - width / 2;
  ShowBox(panel, static_cast<float>(x), static_cast<float>(Basalt::g_pGUI->GetScreenHeight() / 2 - 60), width,
          kPanelHeight, 1.0f, kButtonTint[0], kButtonTint[1], kButtonTint[2]);
  return x + width / 2;
}

// Moves one typed character (at most one a frame) from the text entry to the search.
void TakeTypedCharacter(GameApp& app, uint32_t now) {
  PickerState& picker = app.screens.picker;
  if (app.textEntry.length < 1 || picker.searchLength >= PickerState::kSearchCapacity) return;
  picker.search[picker.searchLength++] = app.textEntry.text[0];
  picker.search[picker.searchLength] = '\0';
  app.textEntry.length = 0;
  picker.lastKeyTime = now;
}

void StepTo(GameApp& app, int padSlot, int which, int category, int position) {
  app.screens.picker.cursor = position;
  StepPadSample(&app.instrument.pads, app.bank, padSlot, which, category, SampleAt(category, position));
  app.instrument.Preview(padSlot, which == SecondarySample);
}

void Search(GameApp& app, int padSlot, int which, int category) {
  PickerState& picker = app.screens.picker;
  if (picker.searchLength == 0) return;
  const int found = FindSampleByPrefix(app.bank, category, picker.search);
  if (found < 0)
    picker.matched = false;
  else if (found != picker.cursor)
    StepTo(app, padSlot, which, category, found);
}

// The typed text, fading out over the search's timeout, red while it matches nothing.
void DrawSearch(GameApp& app, unsigned centre, uint32_t now) {
  const PickerState& picker = app.screens.picker;
  const float age = static_cast<float>(now - picker.lastKeyTime) / static_cast<float>(PickerState::kSearchTimeoutMs);
  const int alpha = std::clamp(static_cast<int>(0.5f * 255.0f * (1.1f - age)), 0, 255);
  const unsigned colour = static_cast<unsigned>(alpha) << 24 | (picker.matched ? 0x000000u : 0xFF0000u);
  const unsigned width = Basalt::g_pGUI->GetFontManager()->GetTextWidth(0, picker.search);
  app.guiContext->DrawTextA(0, centre - std::min(width / 2, centre), Basalt::g_pGUI->GetScreenHeight() / 2, colour,
                            "%s", picker.search);
}

int Close(GameApp& app, int result) {
  HideBox(app.menuButtons[kSamplePanelButton]);
  app.screens.picker.cursor = 0;
  return result;
}

}  // namespace

int FindSampleByPrefix(const SampleBank& bank, int category, const char* search) {
  for (int position = 0; position < bank.count[category]; ++position)
    if (BeginsWith(bank.names[SampleAt(category, position)], search)) return position;
  return -1;
}

int RunSamplePicker(GameApp& app, int padSlot, int which, int category) {
  PickerState& picker = app.screens.picker;
  const uint32_t now = GetTimeMs();
  if (!picker.clockStarted) {
    picker.lastKeyTime = now;
    picker.clockStarted = true;
  }
  picker.matched = true;
  // The categories fade out; so do the items, if the category menu was passed quickly.
  FadeMenuButtons(app, kFunctionButton, kFirstCategoryButton + kCategoryLines, 3.0f);
  const unsigned centre = ShowSampleName(app, app.bank.names[SampleAt(category, picker.cursor)]);
  if (now - picker.lastKeyTime > PickerState::kSearchTimeoutMs) ClearSearch(&picker);
  TakeTypedCharacter(app, now);
  Search(app, padSlot, which, category);
  DrawSearch(app, centre, now);

  const MenuKeys& keys = app.menuKeys;
  if (EscapeOrRed(keys)) return Close(app, kPickerCancelled);
  const int count = app.bank.count[category];
  if (UpOrYellow(keys)) {
    StepTo(app, padSlot, which, category, (picker.cursor + count - 1) % count);
    ClearSearch(&picker);
  }
  if (DownOrBlue(keys)) {
    StepTo(app, padSlot, which, category, (picker.cursor + 1) % count);
    ClearSearch(&picker);
  }
  if (EnterOrGreen(keys)) {
    StepTo(app, padSlot, which, category, picker.cursor);
    return Close(app, SampleAt(category, picker.cursor));
  }
  static const char* const kHelp[] = {"Try typing the sample name you want!", "ENTER/GREEN - accept sample",
                                      "UP/DOWN/YELLOW/BLUE - next/prev sample", "BACK/ESC/RED - assignment menu"};
  DrawAssignHelp(app, 100, kHelp, 4);
  return kPickerBrowsing;
}
