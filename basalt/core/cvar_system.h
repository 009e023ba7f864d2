#pragma once
// CVarSystem executes settings files: lines of `name = value` (blanks around
// the equals sign), comments opened by any token that begins with '/', blank
// lines allowed. Each value is assigned straight into the global bound by the
// cvar of that name; a value outside the cvar's range is refused and the
// global keeps the value it had. Every error is one log line and skips the
// rest of its line; parsing always goes on to the end and never stops start-up.
#include "basalt/core/idevice.h"
#include "basalt/util/string_hash.h"

namespace Basalt {

class cvar;

class CVarSystem : public IDevice {
 public:
  // The process-wide table of registered cvars, name -> cvar*. It is built on
  // first use, so cvars of any module may register during static
  // initialisation; it never owns the cvars.
  static util::StringHash& Registry();
  static cvar* Find(const char* name);
  // Puts every registered global back to the value it started the process
  // with, so a program started again in one process (the tests) begins from
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
