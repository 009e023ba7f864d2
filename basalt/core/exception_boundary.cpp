#include "basalt/core/exception_boundary.h"

#include "basalt/core/log.h"

namespace Basalt {

void LogCaughtFailure(const char* action, const char* subject, const char* why) noexcept {
  if (g_pSystemLog) g_pSystemLog->Send("%s %s: %s", action, subject ? subject : "(null)", why);
}

}  // namespace Basalt
