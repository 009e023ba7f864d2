#pragma once
// The program's paths are written the Windows way: backslashes, and one
// directory spelled "Presets" here and "presets" there. Every open, listing
// and existence check in the engine and the program goes through ResolvePath,
// which turns them into paths of this file system (see path.cpp).
#include <string>
#include <vector>

namespace Basalt {

// Backslashes become slashes, and each component that does not exist with its
// exact spelling is matched case-insensitively against its directory's
// entries (the first in sorted order wins). Components after the first that
// matches nothing are kept as written, so a path to a new file resolves to
// where it will be created. Never fails; an empty path stays empty.
std::string ResolvePath(const char* path);

// Whether the resolved path names an existing file or directory.
bool PathExists(const char* path);

// Compares ASCII strings ignoring case, as upper case (so '_' sorts after
// the letters, as names are listed on Windows).
int CompareNoCase(const char* a, const char* b);

// The names (not paths) of the regular files of directory (or links to
// them) whose extension is extension ("*" for any, case-insensitive), sorted
// case-insensitively. A folder, device or pipe is never listed, whatever it
// is named. Empty when the directory is missing or holds no match.
std::vector<std::string> ListDirectory(const char* directory, const char* extension);

}  // namespace Basalt
