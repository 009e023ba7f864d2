#include "backline/screens/playback_screen.h"

#include "backline/gui/program_gui.h"
#include "backline/recording/midi_export.h"
#include "backline/recording/recorder.h"
#include "backline/scene/drum_set.h"
#include "backline/screens/kit_view.h"
#include "backline/sound/sound_backend.h"
#include "basalt/gui/font_manager.h"
#include "basalt/gui/gui.h"
#include "basalt/platform/platform.h"

namespace {

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

}  // namespace

// The recording's samples go into the sound slots and its volumes into the
// player; the user's pads and volumes stay as they are, for Leave to sound
// again.
void PlaybackScreen::Begin() {
  const Recording& recording = m_services.performance.recording;
  SetBoxOpacity(&m_services.canvas.panel, 0.0f);  // the list's panel would hide the drum set
  m_player = Player{};
  m_player.pads = RecordingPads(recording, m_services.bank);
  LogMissingSamples(m_player.pads, (std::string("recording \"") + m_services.performance.fileName + "\"").c_str());
  SwitchPadSounds(m_services.instrument.pads, m_player.pads, m_services.bank);
  ApplyRecordingVolumes(recording, &m_player.volumes);
  const unsigned kits = RecordingKits(recording.kitCount);
  m_player.switchedKits = kits != RecordingKits(static_cast<int32_t>(m_services.kitsShown));
  if (m_player.switchedKits) {
    m_services.drumSet.SetKitCount(kits);
    m_player.volumes.Reset();  // a recording made with another kit count plays at full volume
  }
  m_player.startTime = Basalt::GetTimeNs();
  m_player.started = true;
}

void PlaybackScreen::Leave() {
  g_soundBackend.CancelNotes(NoteSource::Main);  // what the player handed ahead of its time
  SwitchPadSounds(m_player.pads, m_services.instrument.pads, m_services.bank);
  ReleaseTracks(&m_services.performance.recording);
  if (m_player.switchedKits) m_services.drumSet.SetKitCount(m_services.kitsShown);
  m_player = Player{};
  m_midiFile.clear();
}

std::string PlaybackScreen::RecordingPath() const {
  return std::string(kRecordingsDirectory) + "/" + m_services.performance.fileName;
}

// A file beside the recording: recordings/take.plr and ".wav" give recordings/take.wav.
std::string PlaybackScreen::BesideRecording(const char* extension) const {
  const std::string recording = RecordingPath();
  return recording.substr(0, recording.rfind('.')) + extension;
}

// Written at once: a small file, and the notes already handed ahead keep playing.
void PlaybackScreen::ExportMidi() {
  const std::string path = BesideRecording(".mid");
  const std::string why =
      ExportRecordingMidi(m_services.performance.recording, MidiNoteTable::FromSettings(), path.c_str());
  if (why.empty())
    m_midiFile = path;
  else
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the recording as a MIDI file:\n%s.", why.c_str());
}

std::string PlaybackScreen::MidiStatus() const {
  return m_midiFile.empty() ? "M - save as MIDI" : "Saved " + m_midiFile;
}

void PlaybackScreen::Draw(uint32_t elapsed) {
  ProgramGui& gui = m_services.canvas.gui;
  const char* name = m_services.performance.fileName;
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  gui.DrawText(6, width / 2 - 120, height / 2 + 100, 0x40FFFFFF, "Playback Mode");
  const unsigned nameWidth = Basalt::g_pGUI->GetFontManager()->GetTextWidth(3, name);
  gui.DrawText(3, width / 2 - nameWidth / 2, height - 40, 0x40FFFFFF, "%s", name);
  if (static_cast<float>(elapsed) / 1000.0f >= static_cast<float>(m_services.performance.recording.length) / 1000.0f) {
    gui.DrawText(3, width / 2 - 25, height - 25, 0x90FFFFFF, "DONE");
  } else {
    const TimerText timer = SplitTime(elapsed);
    gui.DrawText(3, width / 2 - 30, height - 20, 0x60FFFFFF, "%2d:%2d:%d", timer.minutes, timer.seconds, timer.tenths);
  }
  gui.DrawText(0, 10, height - 20, 0xB2FFE5B2, "BACK/ESC - menu");
  gui.DrawText(0, 10, height - 36, 0xB2FFE5B2, "%s", ExportStatus(m_exportJob).c_str());
  gui.DrawText(0, 10, height - 52, 0xB2FFE5B2, "%s", MidiStatus().c_str());
}

void PlaybackScreen::Update(const ScreenFrame& frame) {
  if (!m_player.started) Begin();
  MoveCameraToKit(m_services.camera, m_services.kitsShown);
  const Basalt::TimeNs now = Basalt::GetTimeNs();
  Instrument& instrument = m_services.instrument;
  PlayDueEvents(&m_player, m_services.performance.recording, now, {m_player.pads, m_player.volumes, instrument.layers},
                &instrument);
  Draw(static_cast<uint32_t>((now - m_player.startTime) / Basalt::kNsPerMs));
  if (frame.keys.event[MenuExportWav]) m_exportJob.Start(RecordingPath(), BesideRecording(".wav"));
  if (frame.keys.event[MenuExportMidi]) ExportMidi();
  if (frame.keys.event[MenuEscape]) m_services.screens.SwitchTo(MainMenu);
}
