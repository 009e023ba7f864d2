#include "backline/screens/sample_picker.h"

#include <algorithm>
#include <cctype>

#include "backline/common/app_clock.h"
#include "backline/gui/program_gui.h"
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

}  // namespace

// Shows the name of the cursor's sample in the panel; returns the panel's centre.
unsigned SamplePicker::ShowSampleName(const char* name) {
  Basalt::GUIButton& panel = m_buttons.Button(kSamplePanelButton);
  panel.SendMessage(Basalt::GUIMessage::Caption(name));
  const unsigned width = std::max(kPanelMinWidth, panel.GetCaptionWidth() + Basalt::GUIButton::kCaptionMargin);
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - width / 2;
  ShowBox(&panel, static_cast<float>(x), static_cast<float>(Basalt::g_pGUI->GetScreenHeight() / 2 - 60), width,
          kPanelHeight, 1.0f, kButtonTint[0], kButtonTint[1], kButtonTint[2]);
  return x + width / 2;
}

// Moves one typed character (at most one a frame) from the text entry to the search.
void SamplePicker::TakeTypedCharacter(uint32_t now) {
  if (m_textEntry.length < 1 || m_state.searchLength >= PickerState::kSearchCapacity) return;
  m_state.search[m_state.searchLength++] = m_textEntry.text[0];
  m_state.search[m_state.searchLength] = '\0';
  m_textEntry.length = 0;
  m_state.lastKeyTime = now;
}

void SamplePicker::StepTo(const PickedSample& picked, int position) {
  m_state.cursor = position;
  StepPadSample(&m_instrument.pads, m_bank, picked.padSlot, picked.which, picked.category,
                SampleAt(picked.category, position));
  m_instrument.Preview(picked.padSlot, picked.which == SecondarySample);
}

void SamplePicker::Search(const PickedSample& picked) {
  if (m_state.searchLength == 0) return;
  const int found = FindSampleByPrefix(m_bank, picked.category, m_state.search);
  if (found < 0)
    m_state.matched = false;
  else if (found != m_state.cursor)
    StepTo(picked, found);
}

// The typed text, fading out over the search's timeout, red while it matches nothing.
void SamplePicker::DrawSearch(unsigned centre, uint32_t now) {
  const float age = static_cast<float>(now - m_state.lastKeyTime) / static_cast<float>(PickerState::kSearchTimeoutMs);
  const int alpha = std::clamp(static_cast<int>(0.5f * 255.0f * (1.1f - age)), 0, 255);
  const unsigned colour = static_cast<unsigned>(alpha) << 24 | (m_state.matched ? 0x000000u : 0xFF0000u);
  const unsigned width = Basalt::g_pGUI->GetFontManager()->GetTextWidth(0, m_state.search);
  m_gui.DrawText(0, centre - std::min(width / 2, centre), Basalt::g_pGUI->GetScreenHeight() / 2, colour, "%s",
                 m_state.search);
}

int SamplePicker::Close(int result) {
  HideBox(&m_buttons.Button(kSamplePanelButton));
  m_state.cursor = 0;
  return result;
}

int FindSampleByPrefix(const SampleBank& bank, int category, const char* search) {
  for (int position = 0; position < bank.count[category]; ++position)
    if (BeginsWith(bank.names[SampleAt(category, position)], search)) return position;
  return -1;
}

int SamplePicker::Run(const ScreenFrame& frame, const PickedSample& picked) {
  const uint32_t now = GetTimeMs();
  if (!m_state.clockStarted) {
    m_state.lastKeyTime = now;
    m_state.clockStarted = true;
  }
  m_state.matched = true;
  // The categories fade out; so do the items, if the category menu was passed quickly.
  m_buttons.Fade(kFunctionButton, kFirstCategoryButton + kCategoryLines, 3.0f, frame.time);
  const unsigned centre = ShowSampleName(m_bank.names[SampleAt(picked.category, m_state.cursor)]);
  if (now - m_state.lastKeyTime > PickerState::kSearchTimeoutMs) ClearSearch(&m_state);
  TakeTypedCharacter(now);
  Search(picked);
  DrawSearch(centre, now);

  const MenuKeys& keys = frame.keys;
  if (EscapeOrRed(keys)) return Close(kPickerCancelled);
  const int count = m_bank.count[picked.category];
  if (UpOrYellow(keys)) {
    StepTo(picked, (m_state.cursor + count - 1) % count);
    ClearSearch(&m_state);
  }
  if (DownOrBlue(keys)) {
    StepTo(picked, (m_state.cursor + 1) % count);
    ClearSearch(&m_state);
  }
  if (EnterOrGreen(keys)) {
    StepTo(picked, m_state.cursor);
    return Close(SampleAt(picked.category, m_state.cursor));
  }
  static const char* const kHelp[] = {"Try typing the sample name you want!", "ENTER/GREEN - accept sample",
                                      "UP/DOWN/YELLOW/BLUE - next/prev sample", "BACK/ESC/RED - assignment menu"};
  DrawHelpLines(m_gui, 100, kHelp, 4, kAssignHelpColour);
  return kPickerBrowsing;
}
