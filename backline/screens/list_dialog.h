#pragma once
// The list dialog of the load-preset and open-recording screens: a panel with
// a title and at most ten names of a NameList, one highlighted. Up and Down
// move the highlight (scrolling at the edges), Page Up and Page Down scroll
// by ten, Enter chooses and Escape cancels. With no names it shows only its
// "No ... found!" text, and Enter or Escape cancel. The screen that owns it
// decides where each outcome leads. Main thread, once per frame.
#include "backline/controls/text_entry.h"
#include "backline/pads/name_list.h"
#include "backline/screens/screen.h"
#include "backline/screens/screen_widgets.h"

// The first name shown and the highlighted line among the shown ones; kept
// across openings.
struct ListDialogState {
  static constexpr int kShownNames = 10;
  int scroll = 0;
  int row = 0;
};

struct ListDialogText {
  const char* title;      // "Load Preset"
  const char* emptyText;  // "No presets found!"
};

enum class ListDialogResult { Browsing, Chosen, Cancelled };

class ListDialog {
 public:
  // canvas and textEntry outlive the dialog.
  ListDialog(const ScreenCanvas& canvas, TextEntry& textEntry, const ListDialogText& text)
      : m_canvas(canvas), m_textEntry(textEntry), m_text(text) {}

  // One frame of the dialog over names. Chosen: *chosen is the highlighted
  // name (pointing into names, valid until it is enumerated again). Chosen
  // and Cancelled switch text entry off; the panel stays for the next screen
  // to reuse or hide.
  ListDialogResult Run(const ScreenFrame& frame, const NameList& names, const char** chosen);

  ListDialogState& State() { return m_state; }

 private:
  ListDialogResult RunEmpty(const ScreenFrame& frame);
  void ShowPanel(unsigned width, unsigned height, unsigned top, unsigned* x, unsigned* y);
  ListDialogResult Close(ListDialogResult result);

  ScreenCanvas m_canvas;
  TextEntry& m_textEntry;
  ListDialogText m_text;
  ListDialogState m_state;
};

// The effect of one frame's menu events (MenuKeys::event) on scroll and row
// over count names.
void MoveListSelection(ListDialogState* state, int count, const bool* events);
