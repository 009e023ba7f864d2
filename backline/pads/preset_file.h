#pragma once
// Preset files: the whole pad assignment and the pad volumes in a small
// binary file, samples named by their bank path so a preset survives samples
// being added. Main thread; each call opens, reads or writes, and closes.
#include "backline/pads/pad_assignment.h"
#include "backline/pads/pad_volumes.h"

constexpr unsigned kPresetVersion2Size = 3964;
constexpr unsigned kPresetVersion3Size = 4044;

extern const char kDefaultPresetPath[];  // "Presets\default.preset"

// Writes a version 3 preset to path (at most 260 characters are used): each
// pad's path fields and function as the assignment keeps them (a path the
// bank does not hold included), and the volumes. It goes through a temporary
// file in the same folder that replaces the old file only once it is
// complete; creates a missing folder. False, with a log line, when it
// cannot be written; the old file is then untouched. A null path does nothing.
bool SavePreset(const char* path, const PadAssignment& assignment, const PadVolumes& volumes);

// Reads a version 2 or 3 preset and applies it: samples by path (one not in
// the bank leaves its pad slot silent, keeps the path and is logged with it),
// functions as stored, and for version 3 the volumes. False, changing
// nothing, for a null path and, with a log line 'preset "<path>": <why>', for
// a file that cannot be opened, a wrong version byte or a file shorter than
// its version's layout; *why, when given, is then that reason (a static
// text). Never throws.
bool LoadPreset(const char* path, PadAssignment* assignment, const SampleBank& bank, PadVolumes* volumes,
                const char** why = nullptr);

// Start-up: loads the default preset, logging that it does and whether it failed.
bool LoadDefaultPreset(PadAssignment* assignment, const SampleBank& bank, PadVolumes* volumes);
