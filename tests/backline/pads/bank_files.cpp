#include "tests/backline/pads/bank_files.h"

#include <filesystem>
#include <string>

#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/temp_dir.h"

namespace test {

namespace {

const char* const kFolders[kSampleCategories] = {"SampleBank/Snares", "SampleBank/Cymbals", "SampleBank/TomToms",
                                                 "SampleBank/Kick", "SampleBank/Other"};

}  // namespace

void WriteSample(int category, const std::string& name) {
  std::filesystem::create_directories(kFolders[category]);
  WriteFile(std::string(kFolders[category]) + "/" + name, Pcm16Wav({0, 8000, -8000, 0}, 44100));
}

void WriteSamples(int category, std::initializer_list<const char*> names) {
  for (const char* name : names) WriteSample(category, name);
}

void WriteMinimalBank() {
  for (int category = 0; category < kSampleCategories; ++category)
    WriteSample(category, "c" + std::to_string(category) + ".wav");
}

}  // namespace test
