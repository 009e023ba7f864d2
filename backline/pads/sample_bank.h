#pragma once
// The sample bank: every WAV file of the five category folders under
// "SampleBank", found once at start-up and only read afterwards. A sample
// index is category x 512 + position in the category's sorted listing
// (0..2559); -1 means no sample.
#include <string>

enum SampleCategory { Snares = 0, Cymbals = 1, TomToms = 2, Kick = 3, Other = 4 };

constexpr int kSampleCategories = 5;
constexpr int kNoSample = -1;

struct SampleBank {
  static constexpr int kPerCategory = 512;
  static constexpr int kCapacity = kSampleCategories * kPerCategory;
  static constexpr int kFieldSize = 196;  // a path or name of at most 195 characters and its NUL

  // "SampleBank\Snares\kick.wav": the backslash form preset files store.
  char paths[kCapacity][kFieldSize];
  // "kick.wav": what the screens show.
  char names[kCapacity][kFieldSize];
  int count[kSampleCategories];
};

// "SampleBank\Snares\" ... "SampleBank\Other\", by category.
extern const char* const kSampleCategoryDirectories[kSampleCategories];

// Lists the five category folders into bank (about 1 MB: the caller holds it
// for the whole run). A file whose path would exceed 195 characters is left
// out with a log line. False when a category folder is missing, holds no WAV
// file or holds more than 512: a log line names the folder, *problem (when
// given) says the same, and the bank is partly filled and must not be used.
bool DiscoverSampleBank(SampleBank* bank, std::string* problem = nullptr);

// Whether index names a sample the bank holds.
bool IsBankSample(const SampleBank& bank, int index);

// The index of the sample whose path equals path ignoring ASCII case, or -1.
// Linear in the bank's size: never call it on the hit path.
int FindSampleByPath(const SampleBank& bank, const char* path);
