#include "backline/screens/record_screen.h"

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/screens/free_play.h"
#include "basalt/gui/gui.h"

namespace {

constexpr unsigned kHelpColour = 0x7FFFE5B2, kKeyHelpColour = 0xB2FFE5B2;

void Stop(GameApp& app) {
  Recorder& recorder = app.screens.recorder;
  if (recorder.started) {
    TakeRecording(&recorder, RecordingSetup{&app.bank, &app.instrument.pads, &app.instrument.volumes, app.numDrumSets},
                  &app.recording);
    app.mode = SaveRecordingName;
  } else {
    app.mode = MainMenu;
  }
  ClearTextEntry(&app.textEntry);
  app.textEntry.active = true;
  app.metronome.on = false;
}

void Cancel(GameApp& app) {
  DropRecording(&app.screens.recorder);
  app.metronome.on = false;
  app.mode = MainMenu;
}

void Draw(GameApp& app) {
  const Recorder& recorder = app.screens.recorder;
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  const auto elapsedMs = recorder.started ? (Basalt::GetTimeNs() - recorder.startTime) / Basalt::kNsPerMs : 0;
  const TimerText timer = SplitTime(static_cast<uint32_t>(elapsedMs));
  app.guiContext->DrawTextA(3, width / 2 - 35, height - 20, 0x60FFFFFF, "%2d:%2d:%d", timer.minutes, timer.seconds,
                            timer.tenths);
  if (recorder.started)
    app.guiContext->DrawTextA(6, width / 2 - 100, height / 2 + 100, 0x20FFFFFF, "Recording...");
  else
    app.guiContext->DrawTextA(6, width / 2 - 170, height / 2 + 100, 0xAA50FF50, "Start playing to begin");
  app.guiContext->DrawTextA(0, 10, height - 80, kHelpColour, "SPACEBAR/START - toggle metronome");
  app.guiContext->DrawTextA(0, 10, height - 60, kHelpColour, "UP/DOWN, D-PAD UP/DOWN - BPM +/-");
  app.guiContext->DrawTextA(0, 10, height - 40, kKeyHelpColour, "ENTER - stop and save recording");
  app.guiContext->DrawTextA(0, 10, height - 20, kKeyHelpColour, "ESC - cancel recording");
}

}  // namespace

void UpdateRecordScreen(GameApp& app) {
  MoveCameraToKit(app);
  Draw(app);
  ToggleMetronomeOnRequest(app);
  if (app.menuKeys.event[MenuEnter])
    Stop(app);
  else if (app.menuKeys.event[MenuEscape])
    Cancel(app);
}
