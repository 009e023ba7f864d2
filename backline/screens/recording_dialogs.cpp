#include "backline/screens/recording_dialogs.h"

#include <cstdio>
#include <string>

#include "backline/app/game_app.h"
#include "backline/screens/list_dialog.h"
#include "backline/screens/name_entry.h"
#include "basalt/platform/platform.h"

namespace {

void Save(GameApp& app) {
  const std::string path = MakeContentPath(kRecordingsDirectory, app.textEntry.text, "plr");
  if (!SaveRecording(path.c_str(), app.recording)) {
    Basalt::g_pPlatform->MsgBox("Error", "Could not save the recording to %s.\nTry another name.", path.c_str());
    app.textEntry.active = true;
    return;
  }
  ReleaseTracks(&app.recording);
  app.mode = MainMenu;
}

bool Open(GameApp& app, const char* name) {
  std::snprintf(app.playbackName, sizeof app.playbackName, "%s", name);
  const std::string path = std::string(kRecordingsDirectory) + "\\" + name;
  const char* why = nullptr;
  if (LoadRecordingFile(path.c_str(), &app.recording, &why)) return true;
  Basalt::g_pPlatform->MsgBox("Error", "Could not open the recording \"%s\":\n%s.", path.c_str(), why);
  return false;
}

}  // namespace

void UpdateSaveRecordingScreen(GameApp& app) {
  switch (RunNameEntry(app, &app.screens.nameEntry, "Save PLR")) {
    case NameEntryResult::Typing:
      return;
    case NameEntryResult::Entered:
      if (app.textEntry.length >= 1) return Save(app);
      break;
    case NameEntryResult::Cancelled:
      break;
  }
  ReleaseTracks(&app.recording);
  app.mode = MainMenu;
}

void UpdateOpenRecordingScreen(GameApp& app) {
  const char* chosen = nullptr;
  switch (RunListDialog(app, &app.screens.recordingList, app.recordingList,
                        ListDialogText{"Open a Recording", "No recordings found!"}, &chosen)) {
    case ListDialogResult::Browsing:
      return;
    case ListDialogResult::Chosen:
      app.mode = Open(app, chosen) ? Playback : MainMenu;
      break;
    case ListDialogResult::Cancelled:
      app.mode = MainMenu;
      break;
  }
}

void OpenRecordingList(GameApp& app) {
  EnumerateFiles(&app.recordingList, kRecordingsDirectory, "plr");
  app.mode = OpenRecording;
}
