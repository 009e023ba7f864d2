#include "backline/screens/update_screens.h"

#include <SDL.h>

#include <algorithm>

#include "backline/gui/program_gui.h"
#include "backline/net/update_preference.h"
#include "basalt/foundation/log.h"
#include "basalt/gui/gui.h"

namespace {

constexpr unsigned kTitleColour = 0xE0FFFF80;
constexpr unsigned kTextColour = 0xFF808080;
constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
constexpr unsigned kWaitMs = 5;

}  // namespace

UpdateQuestion::Position UpdateQuestion::ShowPanel(unsigned height, unsigned top, const char* title) {
  const float x = static_cast<float>(Basalt::g_pGUI->GetScreenWidth() / 2) - 180.0f;
  const float y = static_cast<float>(Basalt::g_pGUI->GetScreenHeight() / 2) - static_cast<float>(top);
  ShowBox(&m_canvas.panel, x, y, 400, height, 1.0f, 0.5f, 0.7f, 0.8f);
  const Position position = {static_cast<unsigned>(x) + 18, static_cast<unsigned>(y) + 40};
  m_canvas.gui.DrawText(6, position.x, position.y, kTitleColour, "%s", title);
  return position;
}

void UpdateQuestion::ChoiceLines(const ScreenFrame& frame, const Position& title, const char* const* lines, int count,
                                 int firstOffset) {
  const unsigned pulse = AdvancePulse(&m_pulsePhase, frame.time, kHighlightRgb);
  for (int i = 0; i < count; ++i)
    m_canvas.gui.DrawText(3, title.x + 5, title.y + static_cast<unsigned>(firstOffset + 20 * i),
                          i == m_highlighted ? pulse : kIdleColour, "%s", lines[i]);
  const bool* keys = frame.keys.event;
  if (keys[MenuUp] || keys[MenuPadButton3]) --m_highlighted;
  if (keys[MenuDown] || keys[MenuPadButton2]) ++m_highlighted;
  m_highlighted = std::clamp(m_highlighted, 0, count - 1);
}

bool UpdateQuestion::Chosen(const ScreenFrame& frame) {
  if (!frame.keys.event[MenuEnter] && !frame.keys.event[MenuPadButton0]) return false;
  HideBox(&m_canvas.panel);
  return true;
}

void UpdatePromptScreen::Update(const ScreenFrame& frame) {
  const UpdateQuestion::Position title = m_question.ShowPanel(150, 125, "Check for Updates?");
  m_question.Gui().DrawText(0, title.x + 5, title.y + 25, kTextColour, "Would you like Padlark to check for updates?");
  static const char* const kLines[] = {"Yes", "No"};
  m_question.ChoiceLines(frame, title, kLines, 2, 60);
  if (!m_question.Chosen(frame)) return;
  const bool yes = m_question.Highlighted() == 0;
  if (!WriteUpdatePreference(yes ? 'y' : 'n'))
    Basalt::LogMessage("Cannot write %s: the question comes again next time", kUpdatePreferenceFile);
  m_screens.SwitchTo(yes ? UpdateCheck : MainMenu);
}

void UpdateCheckScreen::Finish(ScreenId next) {
  HideBox(&m_canvas.panel);
  m_screens.SwitchTo(next);
}

void UpdateCheckScreen::Update(const ScreenFrame& frame) {
  m_countdown -= frame.time;
  if (m_countdown <= 0.0f) {
    m_job.Abandon();
    return Finish(MainMenu);
  }
  const UpdateQuestion::Position title = m_question.ShowPanel(75, 87, "Checking for updates");
  ProgramGui& gui = m_canvas.gui;
  gui.DrawText(0, title.x + 5, title.y + 25, kTextColour, "Contacting server");
  const int dots = 3 - static_cast<int>(m_countdown) % 3;
  for (int i = 0; i < dots; ++i)
    gui.DrawText(0, title.x + 115 + 5 * static_cast<unsigned>(i), title.y + 25, kTextColour, ".");
  if (!m_job.Started() && !m_job.Start(m_version)) return Finish(MainMenu);
  if (!m_job.WaitFinished(kWaitMs)) return;
  Finish(m_job.UpdateAvailable() ? UpdateAvailable : MainMenu);
}

void UpdateAvailableScreen::Update(const ScreenFrame& frame) {
  const UpdateQuestion::Position title = m_question.ShowPanel(130, 115, "Update available!");
  static const char* const kLines[] = {"Visit the Padlark home page for the new version", "Remind me later",
                                       "Don't tell me again"};
  m_question.ChoiceLines(frame, title, kLines, 3, 30);
  if (!m_question.Chosen(frame)) return;
  switch (m_question.Highlighted()) {
    case 0:
      if (SDL_OpenURL(g_homePage) != 0) Basalt::LogMessage("Cannot open %s: %s", g_homePage, SDL_GetError());
      m_screens.Quit();
      break;
    case 1:
      m_screens.SwitchTo(MainMenu);
      break;
    default:
      WriteUpdatePreference('n');
      m_screens.SwitchTo(MainMenu);
      break;
  }
}
