#include "backline/screens/free_play.h"

#include "backline/gui/program_gui.h"
#include "backline/screens/kit_view.h"
#include "basalt/gui/gui.h"

void FreePlayScreen::Update(const ScreenFrame& frame) {
  SetBoxOpacity(&m_canvas.panel, 0.0f);
  UpdateSway(&m_sway, frame.time);
  MoveCameraToKit(m_camera, m_kitsShown);
  ToggleMetronomeOnRequest(m_metronome, m_padMap, frame.keys);
  if (frame.keys.event[MenuEscape]) m_screens.SwitchTo(MainMenu);
  ProgramGui& gui = m_canvas.gui;
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  gui.DrawText(6, width / 2 - 120, height - 30, 0x40FFFFFF, "Free Play Mode");
  gui.DrawText(0, 10, height - 60, 0x7FFFE5B2, "SPACEBAR/START - toggle metronome");
  gui.DrawText(0, 10, height - 40, 0x7FFFE5B2, "UP/DOWN, D-PAD UP/DOWN - BPM +/-");
  gui.DrawText(0, 10, height - 20, 0x7FFFE5B2, "BACK/ESC - menu");
}
