#include "backline/pads/sample_bank.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/path.h"

const char* const kSampleCategoryDirectories[kSampleCategories] = {"SampleBank\\Snares\\", "SampleBank\\Cymbals\\",
                                                                   "SampleBank\\TomToms\\", "SampleBank\\Kick\\",
                                                                   "SampleBank\\Other\\"};

namespace {

constexpr size_t kMaxFieldLength = SampleBank::kFieldSize - 1;

// Logs why a category cannot be used and hands the reason to the caller.
bool RefuseCategory(const std::string& reason, std::string* problem) {
  Basalt::LogMessage("Sample bank: %s.", reason.c_str());
  if (problem) *problem = reason;
  return false;
}

// Fills the category's entries from its sorted listing; false when it has none
// or more than the category holds.
bool ListCategory(SampleBank* bank, int category, std::string* problem) {
  const char* directory = kSampleCategoryDirectories[category];
  const std::vector<std::string> files = Basalt::ListDirectory(directory, "wav");
  if (files.empty()) {
    std::string folder = Basalt::ResolvePath(directory);
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    return RefuseCategory(folder + (Basalt::PathExists(directory) ? " holds no WAV file" : " is missing"), problem);
  }
  if (files.size() > SampleBank::kPerCategory)
    return RefuseCategory(std::string(directory) + " holds more than 512 WAV files", problem);
  int position = 0;
  for (const std::string& file : files) {
    if (std::strlen(directory) + file.size() > kMaxFieldLength) {
      Basalt::LogMessage("Sample bank: %s%s left out: the path is longer than 195 characters.", directory,
                         file.c_str());
      continue;
    }
    const int index = category * SampleBank::kPerCategory + position++;
    std::snprintf(bank->paths[index], SampleBank::kFieldSize, "%s%s", directory, file.c_str());
    std::snprintf(bank->names[index], SampleBank::kFieldSize, "%s", file.c_str());
  }
  bank->count[category] = position;
  return position > 0;
}

bool ListEveryCategory(SampleBank* bank, std::string* problem) {
  for (int category = 0; category < kSampleCategories; ++category)
    if (!ListCategory(bank, category, problem)) return false;
  return true;
}

}  // namespace

bool DiscoverSampleBank(SampleBank* bank, std::string* problem) {
  std::memset(bank, 0, sizeof *bank);
  return Basalt::RunGuarded("Cannot list", "SampleBank", false, [&] { return ListEveryCategory(bank, problem); });
}

bool IsBankSample(const SampleBank& bank, int index) {
  if (index < 0 || index >= SampleBank::kCapacity) return false;
  return index % SampleBank::kPerCategory < bank.count[index / SampleBank::kPerCategory];
}

int FindSampleByPath(const SampleBank& bank, const char* path) {
  for (int category = 0; category < kSampleCategories; ++category)
    for (int position = 0; position < bank.count[category]; ++position) {
      const int index = category * SampleBank::kPerCategory + position;
      if (Basalt::CompareNoCase(bank.paths[index], path) == 0) return index;
    }
  return kNoSample;
}
