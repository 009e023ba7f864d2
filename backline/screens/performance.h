#pragma once
// The performance between the screens that hand it on: the Record screen
// to the save dialog, the open dialog to the Playback screen, with the file
// name it was opened from. Owned by the program's wiring for the whole run;
// main thread.
#include "backline/recording/plr_file.h"

struct Performance {
  static constexpr int kFileNameCapacity = 64;
  Recording recording;
  char fileName[kFileNameCapacity] = {};  // the file name of the recording last opened
};
