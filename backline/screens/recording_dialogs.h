#pragma once
// The dialogs around a recording, each owning its dialog component.
#include "backline/controls/text_entry.h"
#include "backline/pads/name_list.h"
#include "backline/screens/list_dialog.h"
#include "backline/screens/name_entry.h"
#include "backline/screens/performance.h"
#include "backline/screens/screen_switcher.h"

// "Save PLR": the name entry the Record screen opens with its performance.
// Enter with a name saves it as "recordings\<name>.plr" and frees it; a save
// that fails says so in a message box naming the file and stays here with
// the performance kept, so another name can be tried. Enter on an empty name
// and Escape drop it. Both lead back to the main menu.
class SaveRecordingScreen final : public Screen {
 public:
  // Every reference outlives the screen.
  SaveRecordingScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens, TextEntry& textEntry,
                      Performance& performance)
      : m_screens(screens), m_textEntry(textEntry), m_performance(performance), m_entry(canvas, textEntry) {}

  void Enter() override { m_entry.Open(); }
  void Update(const ScreenFrame& frame) override;

 private:
  void Save();

  ScreenSwitcher& m_screens;
  TextEntry& m_textEntry;
  Performance& m_performance;
  NameEntry m_entry;
};

// "Open a Recording": the list of "recordings", read afresh each time it
// opens. Enter loads the chosen file and starts playback; a file that cannot
// be read or is no recording shows a message box naming the file and what
// is wrong with it. That, and Escape, return to the main menu.
class OpenRecordingScreen final : public Screen {
 public:
  // Every reference outlives the screen.
  OpenRecordingScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens, TextEntry& textEntry,
                      Performance& performance);

  void Enter() override;
  void Update(const ScreenFrame& frame) override;
  const NameList& Names() const { return m_names; }

 private:
  bool Open(const char* name);

  ScreenSwitcher& m_screens;
  Performance& m_performance;
  NameList m_names;
  ListDialog m_dialog;
};
