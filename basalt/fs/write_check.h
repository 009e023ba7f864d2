#pragma once
// Explains why a file of the game directory cannot be written, for the
// messages of start-up failures. Any thread; touches nothing on disk.
#include <string>

namespace Basalt {

// The file's absolute path as this system spells it (a program path such as
// "systemlog.txt" resolved against the working directory).
std::string AbsolutePath(const char* path);

// Why path cannot be written: "it is a folder", or the system's reason for
// the file, or for its folder when the file does not exist yet ("Permission
// denied", "Read-only file system", ...).
std::string WhyNotWritable(const char* path);

}  // namespace Basalt
