#pragma once
// What Assign Mode and its preset dialogs share: the services they work
// with, the ways out of them, and the saving of the assignment. Every way
// out of these screens to the main menu (and the program's end on one of
// them) saves the assignment as the default preset. Main thread.
#include "backline/controls/text_entry.h"
#include "backline/pads/instrument.h"
#include "backline/pads/sample_bank.h"
#include "backline/screens/assign_buttons.h"
#include "backline/screens/screen_switcher.h"
#include "backline/screens/screen_widgets.h"

// Every reference outlives the screens.
struct AssignServices {
  ScreenCanvas canvas;
  ScreenSwitcher& screens;
  Instrument& instrument;
  const SampleBank& bank;
  TextEntry& textEntry;
  AssignButtons& buttons;
};

// A screen of the group: the program's end on it saves the assignment as
// the default preset.
class AssignGroupScreen : public Screen {
 public:
  explicit AssignGroupScreen(const AssignServices& services) : m_services(services) {}
  void ProgramEnds() override;

 protected:
  AssignServices m_services;
};

// Leaves the assign screens for next: every button transparent at
// brightness 0, text entry off.
void LeaveAssignScreens(AssignServices& services, ScreenId next);

// Saves the assignment as the default preset (a failed save is told in a
// message box and leaves the old file whole), then leaves the assign
// screens for the main menu.
void ExitAssignScreens(AssignServices& services);

// Saves the pad assignment and volumes to path, and beside it the velocity
// layers that apply with the pads; when that fails (the file already there
// is left as it was) a message box names the file.
bool SaveAssignedPreset(const Instrument& instrument, const char* path);
