#include "backline/screens/record_screen.h"

#include "backline/gui/program_gui.h"
#include "backline/screens/kit_view.h"
#include "basalt/gui/gui.h"

namespace {

constexpr unsigned kHelpColour = 0x7FFFE5B2, kKeyHelpColour = 0xB2FFE5B2;

}  // namespace

void RecordScreen::Stop() {
  if (!m_recorder.started) {
    m_services.screens.SwitchTo(MainMenu);
    return;
  }
  const Instrument& instrument = m_services.instrument;
  TakeRecording(&m_recorder,
                RecordingSetup{&m_services.bank, &instrument.pads, &instrument.volumes, m_services.kitsShown},
                &m_services.performance.recording);
  m_services.screens.SwitchTo(SaveRecordingName);
}

void RecordScreen::Leave() {
  m_services.instrument.StopListening(&m_recorder);
  DropRecording(&m_recorder);  // nothing left once the take was handed on
  m_services.metronome.on = false;
}

void RecordScreen::Draw() {
  ProgramGui& gui = m_services.gui;
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  const auto elapsedMs = m_recorder.started ? (Basalt::GetTimeNs() - m_recorder.startTime) / Basalt::kNsPerMs : 0;
  const TimerText timer = SplitTime(static_cast<uint32_t>(elapsedMs));
  gui.DrawText(3, width / 2 - 35, height - 20, 0x60FFFFFF, "%2d:%2d:%d", timer.minutes, timer.seconds, timer.tenths);
  if (m_recorder.started)
    gui.DrawText(6, width / 2 - 100, height / 2 + 100, 0x20FFFFFF, "Recording...");
  else
    gui.DrawText(6, width / 2 - 170, height / 2 + 100, 0xAA50FF50, "Start playing to begin");
  gui.DrawText(0, 10, height - 80, kHelpColour, "SPACEBAR/START - toggle metronome");
  gui.DrawText(0, 10, height - 60, kHelpColour, "UP/DOWN, D-PAD UP/DOWN - BPM +/-");
  gui.DrawText(0, 10, height - 40, kKeyHelpColour, "ENTER - stop and save recording");
  gui.DrawText(0, 10, height - 20, kKeyHelpColour, "ESC - cancel recording");
}

void RecordScreen::Update(const ScreenFrame& frame) {
  MoveCameraToKit(m_services.camera, m_services.kitsShown);
  Draw();
  ToggleMetronomeOnRequest(m_services.metronome, m_services.instrument.padMap, frame.keys);
  if (frame.keys.event[MenuEnter])
    Stop();
  else if (frame.keys.event[MenuEscape])
    m_services.screens.SwitchTo(MainMenu);
}
