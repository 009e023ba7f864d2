#pragma once
// Where an exception of the standard library stops. A loader or writer whose
// allocations follow what a file says (or that uses streams, filesystem
// calls, strings) runs its work inside RunGuarded, so that std::bad_alloc or
// any other std::exception becomes a log line and the failure result, and
// nothing is thrown across a module boundary. Main thread (it logs).
#include <exception>
#include <new>

namespace Basalt {

// Logs "<action> <subject>: out of memory", or the exception's own text in
// place of "out of memory". Never throws.
void LogCaughtFailure(const char* action, const char* subject, const char* why) noexcept;

// Returns work(), or failed after logging when work throws.
template <typename Result, typename Work>
Result RunGuarded(const char* action, const char* subject, Result failed, Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    LogCaughtFailure(action, subject, "out of memory");
  } catch (const std::exception& error) {
    LogCaughtFailure(action, subject, error.what());
  }
  return failed;
}

}  // namespace Basalt
