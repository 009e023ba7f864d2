#include "backline/screens/name_entry.h"

#include <cctype>

#include "backline/common/app_clock.h"
#include "backline/gui/program_gui.h"
#include "basalt/gui/gui.h"
#include "basalt/gui/gui_button.h"

namespace {

constexpr unsigned kPanelWidth = 500, kPanelHeight = 120;
constexpr unsigned kTitleColour = 0xFFFFFF50;
constexpr unsigned kPromptColour = 0xB0FFFFFF;
constexpr unsigned kNameColour = 0xFFFFFFFF;

}  // namespace

NameEntry::NameEntry(const ScreenCanvas& canvas, TextEntry& textEntry)
    : m_canvas(canvas), m_textEntry(textEntry), m_field(NewBox(canvas.gui)) {
  HideBox(&m_field);
}

void NameEntry::Open() {
  ClearTextEntry(&m_textEntry);
  m_textEntry.active = true;
}

void NameEntry::BlinkCaret() {
  const uint32_t now = GetTimeMs();
  if (now - m_lastToggle <= kCaretToggleMs) return;
  m_caretOn = !m_caretOn;
  m_lastToggle = now;
}

NameEntryResult NameEntry::Close(NameEntryResult result) {
  HideBox(&m_field);
  SetBoxOpacity(&m_field, 0.0f);
  m_textEntry.active = false;
  return result;
}

NameEntryResult NameEntry::Run(const ScreenFrame& frame, const char* title) {
  const unsigned x = Basalt::g_pGUI->GetScreenWidth() / 2 - kPanelWidth / 2;
  const unsigned y = Basalt::g_pGUI->GetScreenHeight() / 2 - 70;
  ShowBox(&m_canvas.panel, static_cast<float>(x), static_cast<float>(y), kPanelWidth, kPanelHeight, 1.0f, 0.6f, 0.6f,
          0.6f);
  ShowBox(&m_field, static_cast<float>(x + 26), static_cast<float>(y + 70), 440, 35, 1.0f, 0.3f, 0.3f, 0.3f);
  m_canvas.gui.DrawText(1, x + 30, y + 30, kTitleColour, "%s", title);
  m_canvas.gui.DrawText(0, x + 30, y + 60, kPromptColour, "Enter a name");
  LimitTextEntry(&m_textEntry, TextEntry::kMaxNameLength);
  BlinkCaret();
  m_canvas.gui.DrawText(1, x + 30, y + 92, kNameColour, m_caretOn ? "%s|" : "%s", m_textEntry.text);
  if (frame.keys.event[MenuEnter]) return Close(NameEntryResult::Entered);
  if (frame.keys.event[MenuEscape]) return Close(NameEntryResult::Cancelled);
  return NameEntryResult::Typing;
}

std::string MakeContentPath(const char* directory, const char* name, const char* extension) {
  std::string path = std::string(directory) + "\\";
  for (const char* c = name; *c; ++c) {
    const unsigned char ch = static_cast<unsigned char>(*c);
    path += std::isalnum(ch) || ch == ' ' ? static_cast<char>(std::tolower(ch)) : '_';
  }
  return path + "." + extension;
}
