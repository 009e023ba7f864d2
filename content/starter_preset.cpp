#include "content/starter_preset.h"

#include <cstring>
#include <string>

namespace content {

namespace {

constexpr size_t kPathField = 196;

struct PadChoice {
  const char* primary;    // sample bank path, or null
  const char* secondary;  // played while a pedal set to "enable secondaries" is held
  int function;           // 0 normal, 1 enable secondaries
};

// Kit 0 plays a rock kit, kit 1 a lighter one; every pad has a secondary
// sound for a pedal switched to "enable secondaries" in Assign Mode.
const PadChoice kPads[10] = {
    {"SampleBank\\Snares\\Acoustic Snare.wav", "SampleBank\\Snares\\Rimshot.wav", 0},
    {"SampleBank\\Cymbals\\Hi-Hat Closed.wav", "SampleBank\\Cymbals\\Hi-Hat Open.wav", 0},
    {"SampleBank\\TomToms\\Mid Tom.wav", "SampleBank\\TomToms\\High Tom.wav", 0},
    {"SampleBank\\Cymbals\\Crash.wav", "SampleBank\\TomToms\\Floor Tom.wav", 0},
    {"SampleBank\\Kick\\Deep Kick.wav", nullptr, 0},
    {"SampleBank\\Snares\\Crack Snare.wav", "SampleBank\\Other\\Clap.wav", 0},
    {"SampleBank\\Cymbals\\Ride.wav", "SampleBank\\Cymbals\\Bell Ride.wav", 0},
    {"SampleBank\\TomToms\\Low Tom.wav", "SampleBank\\Other\\Cowbell.wav", 0},
    {"SampleBank\\Cymbals\\Splash.wav", "SampleBank\\Cymbals\\China.wav", 0},
    {"SampleBank\\Kick\\Punchy Kick.wav", nullptr, 0},
};

// Volumes in file order: sound slots 0..9, then 5..14.
const float kVolumes[20] = {1.0f, 0.8f,  0.9f, 0.85f, 1.0f, 1.0f, 0.75f, 0.9f, 0.8f, 1.0f,
                            1.0f, 0.75f, 0.9f, 0.8f,  1.0f, 0.9f, 0.9f,  0.9f, 0.8f, 1.0f};

void PutPath(std::vector<uint8_t>* out, const char* path) {
  char field[kPathField] = {};
  if (path) std::strncpy(field, path, kPathField - 1);
  out->insert(out->end(), field, field + kPathField);
}

void PutWord(std::vector<uint8_t>* out, const void* value) {
  const uint8_t* bytes = static_cast<const uint8_t*>(value);
  out->insert(out->end(), bytes, bytes + 4);  // little-endian on every machine we build for
}

}  // namespace

std::vector<uint8_t> EncodeStarterPreset() {
  std::vector<uint8_t> out = {'P', 'R', '0', '3'};
  for (const PadChoice& pad : kPads) {
    PutPath(&out, pad.primary);
    PutPath(&out, pad.secondary);
    const int32_t function = pad.function;
    PutWord(&out, &function);
  }
  for (float volume : kVolumes) PutWord(&out, &volume);
  return out;
}

}  // namespace content
