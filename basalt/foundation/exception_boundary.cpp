#include "basalt/foundation/exception_boundary.h"

#include "basalt/foundation/log.h"

namespace Basalt {

void LogCaughtFailure(const char* action, const char* subject, const char* why) noexcept {
  LogMessage("%s %s: %s", action, subject ? subject : "(null)", why);
}

}  // namespace Basalt
