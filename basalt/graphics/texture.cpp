#include "basalt/graphics/texture.h"

#include <cstring>

namespace Basalt {

ITexture::ITexture(const char* name) { std::strncpy(m_name, name ? name : "", kNameCapacity - 1); }

}  // namespace Basalt
