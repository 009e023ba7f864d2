#pragma once
// The name entry of the save-preset and save-recording screens: a grey panel
// with a title, "Enter a name" and its own text field showing what is typed
// into the program's TextEntry, with a caret blinking every 200 ms. Names
// are cut to 32 characters; only letters, digits and spaces can be typed.
// The screen that owns it opens it (Open: the text entry cleared and
// active) and decides what Enter and Escape lead to. Main thread, once per
// frame.
#include <cstdint>
#include <string>

#include "backline/controls/text_entry.h"
#include "backline/screens/screen.h"
#include "backline/screens/screen_widgets.h"

enum class NameEntryResult { Typing, Entered, Cancelled };

class NameEntry {
 public:
  static constexpr uint32_t kCaretToggleMs = 200;

  // Creates the text field in canvas's GUI; canvas and textEntry outlive the entry.
  NameEntry(const ScreenCanvas& canvas, TextEntry& textEntry);

  // Clears the text entry and switches it on.
  void Open();
  // One frame of the entry titled title ("Save Preset"). Entered (the name,
  // possibly empty, is in the text entry) and Cancelled hide the text field
  // and switch text entry off.
  NameEntryResult Run(const ScreenFrame& frame, const char* title);
  const TextEntry& Text() const { return m_textEntry; }

 private:
  void BlinkCaret();
  NameEntryResult Close(NameEntryResult result);

  ScreenCanvas m_canvas;
  TextEntry& m_textEntry;
  Basalt::GUIButton& m_field;
  bool m_caretOn = false;
  uint32_t m_lastToggle = 0;  // GetTimeMs of the last blink
};

// The file path for a typed name: "directory\name.extension" with every
// character of name that is not a letter, digit or space made "_" and the
// letters lowered. MakeContentPath("presets", "MY SONG", "preset") is
// "presets\my song.preset".
std::string MakeContentPath(const char* directory, const char* name, const char* extension);
