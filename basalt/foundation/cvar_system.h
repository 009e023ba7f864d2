#pragma once
// CVarSystem executes settings files: lines of `name = value` (blanks around
// the equals sign), comments opened by any token that begins with '/', blank
// lines allowed. Each value is assigned straight into the global bound by the
// cvar of that name; a value outside the cvar's range is refused and the
// global keeps the value it had. Every error is one log line and skips the
// rest of its line; parsing always goes on to the end and never stops start-up.
#include <cstddef>
#include <vector>

#include "basalt/foundation/idevice.h"
#include "basalt/util/string_hash.h"

namespace Basalt {

class cvar;

class CVarSystem : public IDevice {
 public:
  // Adds each of count cvars (not owned; they must live as long as the
  // process) to the process-wide table and writes its default into its
  // global, unless its name is already taken: the first registration keeps
  // the name, and registering a table again changes nothing. Main thread,
  // at start-up, before anything reads the globals.
  static void Register(const cvar* vars, size_t count);
  template <size_t N>
  static void Register(const cvar (&vars)[N]) {
    Register(vars, N);
  }
  static cvar* Find(const char* name);
  // Every registered cvar, in the order of registration.
  static const std::vector<const cvar*>& Registered();
  // Puts every registered global back to its declared default, so a program started again in one process (the tests) begins from
  // the defaults, not from the last run's settings. Main thread, no service running.
  static void RestoreDefaults();

  // params: the settings file name (const char*) to execute, or null.
  // Always succeeds; a file that cannot be executed is logged.
  bool Initialize(void* params) override;
  bool Update() override { return true; }
  bool Shutdown() override { return true; }

  // Loads fileName through g_pFileSystem and parses it; false when it cannot be loaded.
  bool ExecFile(const char* fileName);
  // Parses length bytes of settings text; sourceName names it in log lines.
  // False only for null arguments.
  bool ParseFile(const char* data, unsigned length, const char* sourceName);
};

extern CVarSystem* g_pCVarSystem;

}  // namespace Basalt
