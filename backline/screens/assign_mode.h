#pragma once
// Assign Mode: walk the pads of one or two kits with the arrows, see each
// pad's function, samples and volumes, change the volumes with Page Up/Down,
// switch a bass pedal to "enable secondaries", and choose samples through a
// category menu and the sample picker. The camera flies to the selected pad
// and every change is heard on the pad. A sample whose path the bank does not
// hold is shown as missing. Escape returns to the menu; TAB opens the preset
// menu. Every way out of Assign Mode and its preset dialogs (Escape, the
// dialogs' ways to the menu, the program's end) saves the assignment as the
// default preset.
#include "backline/app/app_mode.h"

class GameApp;

// Menu buttons (indices into GameApp::menuButtons, ids one higher) of the
// assign screens: the three items, the six categories, the sample panel.
constexpr int kFunctionButton = 0, kPrimaryButton = 1, kSecondaryButton = 2;
constexpr int kFirstCategoryButton = 3, kCategoryLines = 6;
constexpr int kSamplePanelButton = 9;
// Their colour (red, green, blue) under the white captions.
constexpr float kButtonTint[3] = {0.35f, 0.5f, 0.7f};

// One frame of the screen (mode Assign).
void UpdateAssignMode(GameApp& app);

// Switches to Assign Mode with text entry on and empty, so typing reaches the
// sample picker (from the main menu and back from the preset dialogs).
void EnterAssignMode(GameApp& app);

// Leaves the assign screens for next: every menu button's brightness to 0,
// text entry off.
void LeaveAssignScreens(GameApp& app, AppMode next);

// Saves the assignment and volumes as the default preset (a failed save is
// told in a message box and leaves the old file whole), then leaves the
// assign screens for the main menu.
void ExitAssignMode(GameApp& app);

// Whether mode is Assign Mode or one of its preset dialogs.
bool InAssignScreens(AppMode mode);

// Lowers the brightness of menu buttons first .. first + count - 1 by
// perSecond x frame time, not below 0.
void FadeMenuButtons(GameApp& app, int first, int count, float perSecond);

// Draws help lines in the assign screens' colour, the first fromBottom
// pixels above the screen's bottom and the others 20 pixels apart.
void DrawAssignHelp(GameApp& app, unsigned fromBottom, const char* const* lines, int count);

