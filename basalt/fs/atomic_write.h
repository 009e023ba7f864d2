#pragma once
#include <cstddef>

namespace Basalt {

// Writes size bytes to path (a program path) so that the file is either the
// old one or the whole new one, never a truncated mix: the bytes go to a
// temporary file in the same folder, which is synced to the disk, renamed
// over path, and the folder synced after it: after a crash or a power cut at
// any moment the file is the old one or the whole new one. A missing folder
// is created. False, with a log line, when nothing could be written; the old
// file is then untouched. Never throws; blocks until the disk has the data.
bool WriteFileAtomically(const char* path, const void* data, size_t size);

}  // namespace Basalt
