#pragma once
#include <string>
#include <vector>

namespace content {

// One synthesised sound of the starter sample bank.
struct SampleRecipe {
  const char* category;  // folder under SampleBank
  const char* name;      // file name without ".wav"
  std::vector<float> (*render)();
};

// Every sample of the starter bank, grouped by category folder.
const std::vector<SampleRecipe>& StarterBank();

// The metronome click: short, bright and clean.
std::vector<float> RenderClick();

}  // namespace content
