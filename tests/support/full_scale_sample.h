#pragma once
// A real recording raised to peak at exactly 0 dBFS, for what the master
// limiter does with the loudest a sample can be.
#include <string>

#include "backline/sound/sample_decoder.h"

namespace test {

// Decodes the sample file at source, scales it to peak at exactly 1.0 and
// writes it to out as a float WAV file at 48 kHz; returns what it wrote (the
// test fails, and the result is empty, when either step fails).
DecodedSample WriteFullScaleSample(const std::string& source, const char* out);

}  // namespace test
