#pragma once
// The velocity side file: "name.plrv" beside the recording "name.plr" holds
// the strength of each of its events, which PLR03 has no room for; the .plr
// stays exactly as other readers of it expect. The side file names the
// recording it belongs to by a hash of the .plr's bytes, so one left over
// from another recording of the same name, or from before the .plr was
// changed, is told apart and ignored. Layout (docs/plrv-format.md), all
// little-endian with no padding:
//
//   "PLRV", version (1 byte, 1), the .plr's hash (8), ten event counts
//   (int32 each, equal to the .plr's tracks), every event's velocity (uint16,
//   0 softest .. 65535 hardest; track 0's events first, in time order), and
//   last a check: the hash of every byte before it.
//
// Both hashes are 64-bit FNV-1a. Main thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "backline/recording/plr_file.h"

constexpr uint8_t kPlrvVersion = 1;
constexpr size_t kPlrvHeaderSize = 53;  // magic, version, the .plr's hash, ten counts
constexpr size_t kPlrvCheckSize = 8;

// A side file in memory.
struct VelocityFile {
  uint64_t recordingHash = 0;  // of the .plr file's bytes it belongs to
  std::vector<float> velocities[kPlrPadSlots];
};

// The 64-bit FNV-1a hash of size bytes.
uint64_t PlrvHash(const uint8_t* data, size_t size);

// The side file's program path for the recording at plrPath: plrPath + "v".
std::string PlrvPathOf(const char* plrPath);

// The side file's bytes (each velocity clamped into 0..1 and rounded).
std::vector<uint8_t> EncodeVelocities(const VelocityFile& info);

// Parses a whole side file image into out: null when it is one, else what
// is wrong with it (a static text), out unchanged.
const char* DecodeVelocities(const uint8_t* image, size_t size, VelocityFile* out);

// Whether info belongs to the recording whose .plr bytes are plrImage and
// which decoded into recording: null when it does, else why not.
const char* MatchVelocities(const VelocityFile& info, const std::vector<uint8_t>& plrImage, const Recording& recording);

// Writes recording's velocities beside the recording just saved at plrPath
// as plrImage, with Basalt::WriteFileAtomically. A side file that cannot be
// written is a log line; then, and for a recording without velocities, an
// older side file of that name is removed. False when none was written.
bool SaveVelocityFile(const char* plrPath, const Recording& recording, const std::vector<uint8_t>& plrImage);

// Reads the side file of the recording just loaded from plrPath as plrImage
// into recording->velocities. Without a side file the recording keeps no
// velocities; one that is damaged or belongs to another recording is
// ignored with a log line naming it and why. False when none was taken.
// Never throws.
bool LoadVelocityFile(const char* plrPath, const std::vector<uint8_t>& plrImage, Recording* recording);
