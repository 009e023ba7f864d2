#include "backline/pads/name_list.h"

#include <cstring>
#include <string>
#include <vector>

#include "basalt/foundation/exception_boundary.h"
#include "basalt/fs/path.h"

namespace {

bool FillList(NameList* list, const char* directory, const char* extension) {
  list->block = std::make_unique<char[]>(NameList::kBlockSize);  // zeroed: an empty list
  list->count = 0;
  unsigned used = 0;
  for (const std::string& name : Basalt::ListDirectory(directory, extension)) {
    const size_t size = name.size() + 1;
    if (list->count == NameList::kMaxNames || used + size + 1 > NameList::kBlockSize) break;
    std::memcpy(list->block.get() + used, name.c_str(), size);
    used += static_cast<unsigned>(size);
    ++list->count;
  }
  return true;
}

}  // namespace

void EnumerateFiles(NameList* list, const char* directory, const char* extension) {
  if (Basalt::RunGuarded("Cannot list", directory, false, [&] { return FillList(list, directory, extension); }))
    return;
  list->block.reset();
  list->count = 0;
}

void EnumeratePresetFiles(NameList* list) { EnumerateFiles(list, "presets", "preset"); }

const char* NthName(const NameList& list, int n) {
  if (!list.block || n < 0) return nullptr;
  const char* name = list.block.get();
  for (int i = 0; i < n && *name; ++i) name += std::strlen(name) + 1;
  return *name ? name : nullptr;
}
