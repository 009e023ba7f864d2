#pragma once
#include <cstddef>

namespace Basalt {

// Writes size bytes to path (a program path) so that the file is either the
// old one or the whole new one, never a truncated mix: the bytes go to a
// temporary file in the same folder, which is then renamed over path. A
// missing folder is created. False, with a log line, when nothing could be
// written; the old file is then untouched.
bool WriteFileAtomically(const char* path, const void* data, size_t size);

}  // namespace Basalt
