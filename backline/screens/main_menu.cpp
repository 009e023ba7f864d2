#include "backline/screens/main_menu.h"

#include "backline/gui/program_gui.h"
#include "backline/screens/kit_view.h"

namespace {

const char* const kEntries[MainMenuState::kEntries] = {"Free Play", "Assign Pads", "Record", "Play Back", "Exit"};
constexpr unsigned kIdleColour = 0x60E0E0FF;
constexpr unsigned kHighlightRgb = 0xFFE599;
constexpr unsigned kNoSoundColour = 0xE0FF8080;
constexpr ScreenId kChoices[MainMenuState::kEntries - 1] = {FreePlay, Assign, Record, OpenRecording};

}  // namespace

void MainMenuScreen::Select(int selection) {
  HideBox(&m_services.canvas.panel);
  if (selection >= MainMenuState::kEntries - 1) {
    m_services.screens.Quit();
    return;
  }
  if (kChoices[selection] == Record) m_services.metronome.on = true;
  m_services.screens.SwitchTo(kChoices[selection]);
}

void MainMenuScreen::Update(const ScreenFrame& frame) {
  ProgramGui& gui = m_services.canvas.gui;
  ShowBox(&m_services.canvas.panel, 60.0f, 80.0f, 170, 190, 1.0f, 0.5f, 0.7f, 0.8f);
  UpdateSway(&m_services.sway, frame.time);
  MoveCameraToKit(m_services.camera, m_services.kitsShown);
  gui.DrawText(6, 63, 78, 0x6080A0C0, "Menu");
  const unsigned highlight = AdvancePulse(&m_state.pulsePhase, frame.time, kHighlightRgb);
  for (int i = 0; i < MainMenuState::kEntries; ++i)
    gui.DrawText(1, 90, static_cast<unsigned>(120 + 30 * i), i == m_state.selection ? highlight : kIdleColour, "%s",
                 kEntries[i]);
  if (m_services.soundSilent) gui.DrawText(0, 63, 282, kNoSoundColour, "No audio device: playing silently");
  const bool* keys = frame.keys.event;
  if ((keys[MenuUp] || keys[MenuPadButton3]) && m_state.startupDelay <= 0)
    m_state.selection = (m_state.selection + MainMenuState::kEntries - 1) % MainMenuState::kEntries;
  if (keys[MenuDown] || keys[MenuPadButton2]) m_state.selection = (m_state.selection + 1) % MainMenuState::kEntries;
  if (keys[MenuEnter] || keys[MenuPadButton0]) Select(m_state.selection);
  if (m_state.startupDelay > 0) --m_state.startupDelay;
}
