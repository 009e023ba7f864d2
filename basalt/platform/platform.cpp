#include "basalt/platform/platform.h"

namespace Basalt {

IPlatform* g_pPlatform = nullptr;

}  // namespace Basalt
