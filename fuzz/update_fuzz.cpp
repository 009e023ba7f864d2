// An update server's reply, as the check keeps it: at most 2047 bytes and a
// NUL, compared with the program's version. The copy
// is exactly that long, so a read past the NUL is caught.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "backline/app/game_app.h"
#include "backline/net/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kMostReceived = 2047;
  const size_t received = std::min(size, kMostReceived);
  std::vector<char> block(received + 1, '\0');
  std::memcpy(block.data(), data, received);
  ReplyNamesNewerVersion(block.data(), GameApp::kVersionText);
  return 0;
}
