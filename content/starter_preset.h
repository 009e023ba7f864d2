#pragma once
#include <cstdint>
#include <vector>

namespace content {

// "presets/default.preset" (version 3): a drummer's kit on both kits' pads.
std::vector<uint8_t> EncodeStarterPreset();

}  // namespace content
