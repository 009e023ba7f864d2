#pragma once
// Sample bank folders on disk for tests: real (tiny) WAV files under the
// category folders of the working directory.
#include <initializer_list>
#include <string>

#include "backline/pads/sample_bank.h"

namespace test {

// Writes each name as a short WAV file into the category's folder.
void WriteSamples(int category, std::initializer_list<const char*> names);
void WriteSample(int category, const std::string& name);
// One sample, "<category>1.wav", in every category: the smallest usable bank.
void WriteMinimalBank();

}  // namespace test
