#include "basalt/graphics/shader.h"

#include <cstring>

namespace Basalt {

IShader::IShader(const char* name) { std::strncpy(m_name, name ? name : "", kNameCapacity - 1); }

}  // namespace Basalt
