#include "backline/screens/recording_dialogs.h"

#include <cstdio>
#include <string>

#include "backline/recording/recorder.h"
#include "basalt/platform/platform.h"

void SaveRecordingScreen::Save() {
  const std::string path = MakeContentPath(kRecordingsDirectory, m_textEntry.text, "plr");
  if (!SaveRecording(path.c_str(), m_performance.recording)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the recording to %s.\nTry another name.", path.c_str());
    m_textEntry.active = true;
    return;
  }
  ReleaseTracks(&m_performance.recording);
  m_screens.SwitchTo(MainMenu);
}

void SaveRecordingScreen::Update(const ScreenFrame& frame) {
  switch (m_entry.Run(frame, "Save PLR")) {
    case NameEntryResult::Typing:
      return;
    case NameEntryResult::Entered:
      if (m_textEntry.length >= 1) return Save();
      break;
    case NameEntryResult::Cancelled:
      break;
  }
  ReleaseTracks(&m_performance.recording);
  m_screens.SwitchTo(MainMenu);
}

OpenRecordingScreen::OpenRecordingScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens, TextEntry& textEntry,
                                         Performance& performance)
    : m_screens(screens),
      m_performance(performance),
      m_dialog(canvas, textEntry, ListDialogText{"Open a Recording", "No recordings found!"}) {}

void OpenRecordingScreen::Enter() { EnumerateFiles(&m_names, kRecordingsDirectory, "plr"); }

bool OpenRecordingScreen::Open(const char* name) {
  std::snprintf(m_performance.fileName, sizeof m_performance.fileName, "%s", name);
  const std::string path = std::string(kRecordingsDirectory) + "\\" + name;
  const char* why = nullptr;
  if (LoadRecordingFile(path.c_str(), &m_performance.recording, &why)) return true;
  Basalt::g_pPlatform->MsgBox("Error", "Could not open the recording \"%s\":\n%s.", path.c_str(), why);
  return false;
}

void OpenRecordingScreen::Update(const ScreenFrame& frame) {
  const char* chosen = nullptr;
  switch (m_dialog.Run(frame, m_names, &chosen)) {
    case ListDialogResult::Browsing:
      return;
    case ListDialogResult::Chosen:
      m_screens.SwitchTo(Open(chosen) ? Playback : MainMenu);
      break;
    case ListDialogResult::Cancelled:
      m_screens.SwitchTo(MainMenu);
      break;
  }
}
