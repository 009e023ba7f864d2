#pragma once
// The list dialog of the load-preset and open-recording screens: a panel with
// a title and at most ten names of a NameList, one highlighted. Up and Down
// move the highlight (scrolling at the edges), Page Up and Page Down scroll
// by ten, Enter chooses and Escape cancels. With no names it shows only its
// "No ... found!" text, and Enter or Escape cancel. The caller decides where
// each outcome leads. Main thread, once per frame.
#include "backline/pads/name_list.h"
#include "backline/screens/screen_state.h"

class GameApp;

struct ListDialogText {
  const char* title;      // "Load Preset"
  const char* emptyText;  // "No presets found!"
};

enum class ListDialogResult { Browsing, Chosen, Cancelled };

// One frame of the dialog over names, reading the previous frame's menu keys.
// Chosen: *chosen is the highlighted name (pointing into names, valid until it
// is enumerated again). Chosen and Cancelled switch text entry off; the panel
// stays for the next screen to reuse or hide.
ListDialogResult RunListDialog(GameApp& app, ListDialogState* state, const NameList& names,
                               const ListDialogText& text, const char** chosen);

// The effect of one frame's menu events (MenuKeys::event) on scroll and row
// over count names.
void MoveListSelection(ListDialogState* state, int count, const bool* events);
