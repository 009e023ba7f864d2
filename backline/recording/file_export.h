#pragma once
// How an export of a recording to a file ends: whatever went wrong, the
// caller gets one reason naming the file, and the log the same line. Main
// thread (it logs).
#include <string>
#include <utility>

#include "basalt/foundation/exception_boundary.h"

// "cannot write <path>: <why>", also sent to the log.
std::string ExportFailure(const char* path, const std::string& why);

// Runs write(), which returns empty on success or why it failed, and never
// lets an exception of the standard library out: empty on success, else
// ExportFailure's reason.
template <typename Write>
std::string RunFileExport(const char* path, Write&& write) {
  const std::string why = Basalt::RunGuarded("Cannot export", path, std::string("it failed (see the line above)"),
                                             std::forward<Write>(write));
  return why.empty() ? why : ExportFailure(path, why);
}
