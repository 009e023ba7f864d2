#pragma once
// The drumkit.xml of a drum-kit folder, in the format most free Linux kits
// come in: <drumkit_info> with the kit's <name> and an <instrumentList> of
// <instrument>s, each with a <name>, a <volume>, a <gain> and its samples:
// <layer>s (directly or inside <instrumentComponent>) with a <filename>, the
// <min> and <max> of their velocity range (0..1) and a <gain>, or, in the
// oldest kits, one <filename> of its own. Parsed with tinyxml2. Any thread;
// never throws.
#include <string>
#include <vector>

struct KitLayer {
  std::string file;  // relative to the kit's folder, as the file names it
  float min = 0.0f;
  float max = 1.0f;
  float gain = 1.0f;
};

struct KitInstrument {
  std::string name;
  float volume = 1.0f;
  float gain = 1.0f;
  std::vector<KitLayer> layers;  // as the file lists them; empty: an unused instrument
  int line = 0;                  // where it starts in the file
};

struct DrumKitFile {
  std::string name;
  std::vector<KitInstrument> instruments;
};

// The most layers an instrument may have (the format's own limit).
constexpr size_t kMaxKitLayers = 16;

// Parses the text of a drumkit.xml into *out. False, with *why saying what is
// wrong and on which line, for text that is not XML, a root other than
// <drumkit_info>, a number that is not one, a velocity range outside 0..1 or
// with its minimum above its maximum, a negative volume or gain, a layer
// without a file or with an absolute path, an instrument with more than
// kMaxKitLayers layers, or no instrument with a sample at all.
bool ParseDrumKitFile(const std::string& text, DrumKitFile* out, std::string* why);
