#include "basalt/core/iapp.h"

#include <cstring>

namespace Basalt {

bool IApp::Initialize(Core* core) {
  m_core = core;
  return true;
}

void IApp::SetVersion(const char* version) { std::strncpy(m_version, version, kVersionCapacity - 1); }

}  // namespace Basalt
