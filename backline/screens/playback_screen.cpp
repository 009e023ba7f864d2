#include "backline/screens/playback_screen.h"

#include <string>

#include "backline/app/game_app.h"
#include "backline/gui/cctest.h"
#include "backline/recording/midi_export.h"
#include "backline/scene/drum_set.h"
#include "backline/screens/free_play.h"
#include "backline/screens/screen_widgets.h"
#include "backline/sound/sound_backend.h"
#include "basalt/gui/font_manager.h"
#include "basalt/gui/gui.h"
#include "basalt/platform/platform.h"

namespace {

// The recording's samples go into the sound slots and its volumes into the
// player; the user's pads and volumes stay as they are, for Leave to sound
// again.
void Begin(GameApp& app, Player* player) {
  SetBoxOpacity(app.panelButton, 0.0f);  // the list's panel would hide the drum set
  *player = Player{};
  player->pads = RecordingPads(app.recording, app.bank);
  LogMissingSamples(player->pads, (std::string("recording \"") + app.playbackName + "\"").c_str());
  SwitchPadSounds(app.instrument.pads, player->pads, app.bank);
  ApplyRecordingVolumes(app.recording, &player->volumes);
  const unsigned kits = RecordingKits(app.recording.kitCount);
  player->switchedKits = kits != RecordingKits(static_cast<int32_t>(app.numDrumSets));
  if (player->switchedKits) {
    app.drumSet->SetKitCount(kits);
    player->volumes.Reset();  // a recording made with another kit count plays at full volume
  }
  player->startTime = Basalt::GetTimeNs();
  player->started = true;
}

void Leave(GameApp& app, Player* player) {
  app.mode = MainMenu;
  g_soundBackend.CancelNotes(NoteSource::Main);  // what the player handed ahead of its time
  SwitchPadSounds(player->pads, app.instrument.pads, app.bank);
  ReleaseTracks(&app.recording);
  if (player->switchedKits) app.drumSet->SetKitCount(app.numDrumSets);
  *player = Player{};
  app.screens.playback = PlaybackState{};
}

std::string RecordingPath(const GameApp& app) { return std::string(kRecordingsDirectory) + "/" + app.playbackName; }

// A file beside the recording: recordings/take.plr and ".wav" give recordings/take.wav.
std::string BesideRecording(const GameApp& app, const char* extension) {
  const std::string recording = RecordingPath(app);
  return recording.substr(0, recording.rfind('.')) + extension;
}

void StartExport(GameApp& app) { app.screens.exportJob.Start(RecordingPath(app), BesideRecording(app, ".wav")); }

// Written at once: a small file, and the notes already handed ahead keep playing.
void ExportMidi(GameApp& app) {
  const std::string path = BesideRecording(app, ".mid");
  const std::string why = ExportRecordingMidi(app.recording, MidiNoteTable::FromSettings(), path.c_str());
  if (why.empty())
    app.screens.playback.midiFile = path;
  else
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the recording as a MIDI file:\n%s.", why.c_str());
}

std::string MidiStatus(const PlaybackState& playback) {
  return playback.midiFile.empty() ? "M - save as MIDI" : "Saved " + playback.midiFile;
}

// What the last export did, in words for the screen.
std::string ExportStatus(ExportJob& job) {
  switch (job.Poll()) {
    case ExportJob::State::Running:
      return "Exporting " + job.WavPath() + "...";
    case ExportJob::State::Done:
      return "Exported " + job.WavPath();
    case ExportJob::State::Failed:
      return "Export failed: see exportlog.txt";
    case ExportJob::State::Idle:
      break;
  }
  return "W - export WAV";
}

void Draw(GameApp& app, uint32_t elapsed) {
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  app.guiContext->DrawTextA(6, width / 2 - 120, height / 2 + 100, 0x40FFFFFF, "Playback Mode");
  const unsigned nameWidth = Basalt::g_pGUI->GetFontManager()->GetTextWidth(3, app.playbackName);
  app.guiContext->DrawTextA(3, width / 2 - nameWidth / 2, height - 40, 0x40FFFFFF, "%s", app.playbackName);
  if (static_cast<float>(elapsed) / 1000.0f >= static_cast<float>(app.recording.length) / 1000.0f) {
    app.guiContext->DrawTextA(3, width / 2 - 25, height - 25, 0x90FFFFFF, "DONE");
  } else {
    const TimerText timer = SplitTime(elapsed);
    app.guiContext->DrawTextA(3, width / 2 - 30, height - 20, 0x60FFFFFF, "%2d:%2d:%d", timer.minutes, timer.seconds,
                              timer.tenths);
  }
  app.guiContext->DrawTextA(0, 10, height - 20, 0xB2FFE5B2, "BACK/ESC - menu");
  app.guiContext->DrawTextA(0, 10, height - 36, 0xB2FFE5B2, "%s", ExportStatus(app.screens.exportJob).c_str());
  app.guiContext->DrawTextA(0, 10, height - 52, 0xB2FFE5B2, "%s", MidiStatus(app.screens.playback).c_str());
}

}  // namespace

void UpdatePlaybackScreen(GameApp& app) {
  Player& player = app.screens.player;
  if (!player.started) Begin(app, &player);
  MoveCameraToKit(app);
  const Basalt::TimeNs now = Basalt::GetTimeNs();
  PlayDueEvents(&player, app.recording, now, {player.pads, player.volumes, app.instrument.layers}, &app.instrument);
  Draw(app, static_cast<uint32_t>((now - player.startTime) / Basalt::kNsPerMs));
  if (app.menuKeys.event[MenuExportWav]) StartExport(app);
  if (app.menuKeys.event[MenuExportMidi]) ExportMidi(app);
  if (app.menuKeys.event[MenuEscape]) Leave(app, &player);
}
