#pragma once
// A list of file names for the load dialogs: one block of 32,768 bytes
// holding the names one after another, each NUL-terminated, ended by an empty
// name, plus their count. Rebuilt each time a dialog opens.
#include <memory>

struct NameList {
  static constexpr unsigned kBlockSize = 32768;
  static constexpr int kMaxNames = 512;

  std::unique_ptr<char[]> block;  // null until first enumerated
  int count = 0;
};

// Rebuilds list from the names (with extension) of the files in directory
// whose extension is extension, in sorted order: at most 512, and no more than
// leave room for the ending empty name. Folders are never listed. A missing
// directory gives an empty list, and so does running out of memory (with a
// log line). Never throws.
void EnumerateFiles(NameList* list, const char* directory, const char* extension);

// The presets of the "presets" folder.
void EnumeratePresetFiles(NameList* list);

// The n-th name (from 0), or null when the list holds fewer. Points into the
// list's block: valid until it is enumerated again or destroyed.
const char* NthName(const NameList& list, int n);
