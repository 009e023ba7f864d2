#include "basalt/foundation/file_system.h"

namespace Basalt {

IFileSystem* g_pFileSystem = nullptr;

void RAMFile::Clear() {
  delete[] data;
  data = nullptr;
  size = 0;
}

}  // namespace Basalt
