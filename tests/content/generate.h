#pragma once
#include <cstdlib>
#include <string>

namespace test {

// Runs the content generator into dir; true when it succeeded.
inline bool GenerateContent(const std::string& dir) {
  return std::system((std::string(CONTENTGEN_PATH) + " \"" + dir + "\"").c_str()) == 0;
}

}  // namespace test
