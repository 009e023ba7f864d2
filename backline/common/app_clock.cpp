#include "backline/common/app_clock.h"

#include "basalt/foundation/clock.h"

uint32_t GetTimeMs() { return static_cast<uint32_t>(Basalt::GetTimeNs() / Basalt::kNsPerMs); }
