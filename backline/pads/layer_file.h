#pragma once
// Layers files: the velocity layers of a preset's pad sounds, in a text file
// of their own beside it ("presets\rock.preset" has "presets\rock.layers"),
// so the preset itself stays a PR03 file byte for byte. The format is
// described in docs/LAYERS.md. A preset without a layers file has no layers.
// Main thread; each call opens, reads or writes, and closes. Never throws.
#include <string>

#include "backline/pads/velocity_layers.h"

// The layers file that belongs to the preset at presetPath: its extension
// replaced by ".layers".
std::string LayerFilePath(const std::string& presetPath);

// The text of a layers file holding sets (the empty sets left out).
std::string FormatLayerFile(const PadLayerSets& sets);

// Reads a layers file's text into *out. False, with *why naming the line and
// what is wrong with it, for anything but a whole, valid file; *out is then
// unchanged.
bool ParseLayerFile(const std::string& text, PadLayerSets* out, std::string* why);

// Reads the layers file beside presetPath into *out: every set empty when
// there is none. False, with *why and the log line 'layers "<path>": <why>',
// when it cannot be read or is damaged; *out is then every set empty.
bool ReadLayerFile(const std::string& presetPath, PadLayerSets* out, std::string* why);

// Writes sets beside presetPath through a temporary file that replaces the
// old one only once it is complete, or removes the old file when every set is
// empty. False, with a log line, when that fails; the old file is then whole.
bool WriteLayerFile(const std::string& presetPath, const PadLayerSets& sets);

// The layers of the preset at presetPath, just loaded onto the pads: reads
// its layers file and loads the layers into layers (none when there is no
// file). False, with *why, for a damaged file: layers then has none.
bool LoadPresetLayers(const std::string& presetPath, const SampleBank& bank, VelocityLayers* layers, std::string* why);

// Writes the layers that apply with pads beside the preset at presetPath,
// just saved from pads (WriteLayerFile).
bool SavePresetLayers(const std::string& presetPath, const PadAssignment& pads, const VelocityLayers& layers);
