#include "backline/screens/list_dialog.h"

#include <algorithm>

#include "backline/gui/program_gui.h"
#include "basalt/gui/gui.h"

namespace {

constexpr unsigned kTitleColour = 0xFFFFFF50;
constexpr unsigned kHighlightColour = 0xFFFFFFFF;
constexpr unsigned kNameColour = 0x80FFFFFF;
constexpr unsigned kTitleFont = 1, kNameFont = 3;

int Visible(const ListDialogState& state, int count) {
  return std::min(ListDialogState::kShownNames, count - state.scroll);
}

}  // namespace

// The panel, width x height, centred horizontally with its top at H/2 - top;
// returns its top-left corner.
void ListDialog::ShowPanel(unsigned width, unsigned height, unsigned top, unsigned* x, unsigned* y) {
  *x = Basalt::g_pGUI->GetScreenWidth() / 2 - width / 2;
  *y = Basalt::g_pGUI->GetScreenHeight() / 2 - top;
  ShowBox(&m_canvas.panel, static_cast<float>(*x), static_cast<float>(*y), width, height, 1.0f, 0.5f, 0.7f, 0.8f);
}

ListDialogResult ListDialog::Close(ListDialogResult result) {
  m_textEntry.active = false;
  return result;
}

ListDialogResult ListDialog::RunEmpty(const ScreenFrame& frame) {
  unsigned x, y;
  ShowPanel(300, 100, 60, &x, &y);
  m_canvas.gui.DrawText(kTitleFont, x + 65, y + 55, kTitleColour, "%s", m_text.emptyText);
  const bool* keys = frame.keys.event;
  if (!keys[MenuEnter] && !keys[MenuEscape]) return ListDialogResult::Browsing;
  return Close(ListDialogResult::Cancelled);
}

void MoveListSelection(ListDialogState* state, int count, const bool* events) {
  // A list may have shrunk since the dialog last showed it.
  state->scroll = std::clamp(state->scroll, 0, std::max(count - ListDialogState::kShownNames, 0));
  int visible = Visible(*state, count);
  if (events[MenuDown] && ++state->row >= visible) {
    state->row = visible - 1;
    if (state->scroll < count - visible) ++state->scroll;
  }
  if (events[MenuUp] && --state->row < 0) {
    state->row = 0;
    --state->scroll;
  }
  if (events[MenuPageDown]) state->scroll = std::min(state->scroll + ListDialogState::kShownNames, count - visible);
  if (events[MenuPageUp]) state->scroll -= ListDialogState::kShownNames;
  state->scroll = std::max(state->scroll, 0);
  visible = Visible(*state, count);
  state->row = std::clamp(state->row, 0, std::max(visible - 1, 0));
}

ListDialogResult ListDialog::Run(const ScreenFrame& frame, const NameList& names, const char** chosen) {
  if (names.count <= 0) return RunEmpty(frame);
  unsigned x, y;
  ShowPanel(500, 400, 210, &x, &y);
  m_canvas.gui.DrawText(kTitleFont, x + 30, y + 30, kTitleColour, "%s", m_text.title);
  const int visible = Visible(m_state, names.count);
  for (int line = 0; line < visible; ++line)
    if (const char* name = NthName(names, m_state.scroll + line))
      m_canvas.gui.DrawText(kNameFont, x + 30, y + 70 + 30 * static_cast<unsigned>(line),
                            line == m_state.row ? kHighlightColour : kNameColour, "%s", name);
  const bool* keys = frame.keys.event;
  MoveListSelection(&m_state, names.count, keys);
  if (keys[MenuEnter]) {
    *chosen = NthName(names, m_state.scroll + m_state.row);
    return Close(*chosen ? ListDialogResult::Chosen : ListDialogResult::Cancelled);
  }
  if (!keys[MenuEscape]) return ListDialogResult::Browsing;
  return Close(ListDialogResult::Cancelled);
}
