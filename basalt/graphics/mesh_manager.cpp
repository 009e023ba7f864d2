#include "basalt/graphics/mesh_manager.h"

namespace Basalt {

IMeshManager* g_pMeshManager = nullptr;

}  // namespace Basalt
