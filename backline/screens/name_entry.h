#pragma once
// The name entry of the save-preset and save-recording screens: a grey panel
// with a title, "Enter a name" and the text field (GUI button id 1) showing
// what is typed into the application's TextEntry, with a caret blinking every
// 200 ms. Names are cut to 32 characters; only letters, digits and spaces can
// be typed. The caller opens it with the text entry cleared and active, and
// decides what Enter and Escape lead to. Main thread, once per frame.
#include <string>

#include "backline/screens/screen_state.h"

class GameApp;

enum class NameEntryResult { Typing, Entered, Cancelled };

// One frame of the entry titled title ("Save Preset"), reading the previous
// frame's menu keys. Entered (the name, possibly empty, is in app.textEntry)
// and Cancelled hide the text field and switch text entry off.
NameEntryResult RunNameEntry(GameApp& app, NameEntryState* state, const char* title);

// The file path for a typed name: "directory\name.extension" with every
// character of name that is not a letter, digit or space made "_" and the
// letters lowered. MakeContentPath("presets", "MY SONG", "preset") is
// "presets\my song.preset".
std::string MakeContentPath(const char* directory, const char* name, const char* extension);
