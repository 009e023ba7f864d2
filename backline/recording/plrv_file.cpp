#include "backline/recording/plrv_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "backline/recording/file_bytes.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

namespace {

constexpr char kMagic[4] = {'P', 'L', 'R', 'V'};
constexpr float kVelocityUnits = 65535.0f;  // a stored velocity of 65535 is 1.0

// What can be wrong with a side file, as the log tells it.
const char kNotVelocities[] = "it is not a velocity file";
const char kUnknownVersion[] = "its version is not one this program reads";
const char kCutShort[] = "the file is cut short";
const char kNegativeCount[] = "an event count is negative";
const char kTooManyEvents[] = "a pad holds more events than a recording can";
const char kTooLong[] = "the file is longer than the velocities it holds";
const char kDamaged[] = "the file is damaged";
const char kCannotRead[] = "the file cannot be read";
const char kOtherRecording[] = "it belongs to another recording";
const char kOtherEvents[] = "its events are not the recording's";
const char kOutOfMemory[] = "there is not enough memory to read it";

void PutUint16(std::vector<uint8_t>* out, uint16_t value) { PutBytes(out, &value, 2); }
void PutUint64(std::vector<uint8_t>* out, uint64_t value) { PutBytes(out, &value, 8); }

uint16_t VelocityUnits(float velocity) {
  return static_cast<uint16_t>(std::lround(std::clamp(velocity, 0.0f, 1.0f) * kVelocityUnits));
}

// The magic and the version at the start of an image of size bytes, and
// room for the header.
const char* CheckStart(const uint8_t* image, size_t size) {
  if (size < sizeof kMagic || std::memcmp(image, kMagic, sizeof kMagic) != 0) return kNotVelocities;
  if (size <= sizeof kMagic || image[sizeof kMagic] != kPlrvVersion) return kUnknownVersion;
  return size < kPlrvHeaderSize ? kCutShort : nullptr;
}

// The event counts of a header; null, or what is wrong with them.
const char* ReadCounts(const uint8_t* header, int32_t (&counts)[kPlrPadSlots]) {
  std::memcpy(counts, header + kPlrvHeaderSize - sizeof counts, sizeof counts);
  for (int32_t count : counts) {
    if (count < 0) return kNegativeCount;
    if (static_cast<size_t>(count) > kPlrTrackCapacity) return kTooManyEvents;
  }
  return nullptr;
}

// Whether a file of size bytes is as long as the counts of its header say.
const char* CheckSize(const uint8_t* header, uint64_t size) {
  int32_t counts[kPlrPadSlots];
  if (const char* problem = ReadCounts(header, counts)) return problem;
  uint64_t implied = kPlrvHeaderSize + kPlrvCheckSize;
  for (int32_t count : counts) implied += static_cast<uint64_t>(count) * 2;
  if (implied > size) return kCutShort;
  return implied < size ? kTooLong : nullptr;
}

void TakeVelocities(ByteReader* in, const int32_t (&counts)[kPlrPadSlots], VelocityFile* info) {
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    std::vector<float>& track = info->velocities[slot];
    track.resize(static_cast<size_t>(counts[slot]));
    for (float& velocity : track) {
      uint16_t units = 0;
      in->Take(&units, 2);
      velocity = static_cast<float>(units) / kVelocityUnits;
    }
  }
}

// Reads a side file of fileSize bytes, open at its start: the header first,
// so a file whose size is not the one its counts imply is refused before its
// velocities are read.
const char* ReadOpenFile(std::FILE* file, uint64_t fileSize, VelocityFile* out) {
  uint8_t header[kPlrvHeaderSize];
  const size_t got = std::fread(header, 1, sizeof header, file);
  if (const char* problem = CheckStart(header, got)) return problem;
  if (const char* problem = CheckSize(header, fileSize)) return problem;
  std::vector<uint8_t> image(fileSize);
  std::rewind(file);
  if (!ReadExactly(file, image.data(), image.size())) return kCannotRead;
  return DecodeVelocities(image.data(), image.size(), out);
}

// Reads the side file at path into out: null when it was read, else why not;
// *missing set when there is none at all.
const char* ReadVelocityFile(const std::string& path, VelocityFile* out, bool* missing) {
  std::error_code ec;
  *missing = !std::filesystem::exists(Basalt::ResolvePath(path.c_str()), ec);
  const OpenedFile opened = OpenForReading(path.c_str());
  if (!opened.file) return kCannotRead;
  return ReadOpenFile(opened.file.get(), opened.size, out);
}

void Log(const char* format, const std::string& path, const char* why) {
  Basalt::LogMessage(format, path.c_str(), why);
}

// Writes recording's velocities to path, bound to plrImage.
bool WriteVelocityFile(const std::string& path, const Recording& recording, const std::vector<uint8_t>& plrImage) {
  return Basalt::RunGuarded("Cannot save the velocities", path.c_str(), false, [&] {
    VelocityFile info;
    info.recordingHash = PlrvHash(plrImage.data(), plrImage.size());
    for (int slot = 0; slot < kPlrPadSlots; ++slot) info.velocities[slot] = recording.velocities[slot];
    const std::vector<uint8_t> image = EncodeVelocities(info);
    return Basalt::WriteFileAtomically(path.c_str(), image.data(), image.size());
  });
}

// When a recording was saved without its side file: one left from before
// would not belong to the new recording anyway; it goes.
void RemoveStaleFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(Basalt::ResolvePath(path.c_str()), ec);
}

}  // namespace

uint64_t PlrvHash(const uint8_t* data, size_t size) {
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a's 64-bit offset basis and prime
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ull;
  return hash;
}

std::string PlrvPathOf(const char* plrPath) { return std::string(plrPath) + "v"; }

std::vector<uint8_t> EncodeVelocities(const VelocityFile& info) {
  std::vector<uint8_t> out;
  size_t events = 0;
  for (const std::vector<float>& track : info.velocities) events += track.size();
  out.reserve(kPlrvHeaderSize + events * 2 + kPlrvCheckSize);
  PutBytes(&out, kMagic, sizeof kMagic);
  out.push_back(kPlrvVersion);
  PutUint64(&out, info.recordingHash);
  for (const std::vector<float>& track : info.velocities) PutInt(&out, static_cast<int32_t>(track.size()));
  for (const std::vector<float>& track : info.velocities)
    for (float velocity : track) PutUint16(&out, VelocityUnits(velocity));
  PutUint64(&out, PlrvHash(out.data(), out.size()));
  return out;
}

const char* DecodeVelocities(const uint8_t* image, size_t size, VelocityFile* out) {
  if (!image) return kNotVelocities;
  if (const char* problem = CheckStart(image, size)) return problem;
  if (const char* problem = CheckSize(image, size)) return problem;
  uint64_t check = 0;
  std::memcpy(&check, image + size - kPlrvCheckSize, kPlrvCheckSize);
  if (check != PlrvHash(image, size - kPlrvCheckSize)) return kDamaged;
  VelocityFile parsed;
  std::memcpy(&parsed.recordingHash, image + sizeof kMagic + 1, 8);
  int32_t counts[kPlrPadSlots];
  ReadCounts(image, counts);
  ByteReader in(image + kPlrvHeaderSize, size - kPlrvHeaderSize - kPlrvCheckSize);
  TakeVelocities(&in, counts, &parsed);
  *out = std::move(parsed);
  return nullptr;
}

const char* MatchVelocities(const VelocityFile& info, const std::vector<uint8_t>& plrImage,
                            const Recording& recording) {
  if (info.recordingHash != PlrvHash(plrImage.data(), plrImage.size())) return kOtherRecording;
  for (int slot = 0; slot < kPlrPadSlots; ++slot)
    if (info.velocities[slot].size() != recording.tracks[slot].size()) return kOtherEvents;
  return nullptr;
}

bool SaveVelocityFile(const char* plrPath, const Recording& recording, const std::vector<uint8_t>& plrImage) {
  const std::string path = PlrvPathOf(plrPath);
  if (recording.HasVelocities()) {
    if (WriteVelocityFile(path, recording, plrImage)) return true;
    Log("velocities \"%s\": %s", path, "not saved; the recording plays back at full strength");
  }
  RemoveStaleFile(path);
  return false;
}

bool LoadVelocityFile(const char* plrPath, const std::vector<uint8_t>& plrImage, Recording* recording) {
  const std::string path = PlrvPathOf(plrPath);
  VelocityFile info;
  bool missing = false;
  const char* problem = Basalt::RunGuarded("Cannot load the velocities", path.c_str(), kOutOfMemory, [&] {
    const char* why = ReadVelocityFile(path, &info, &missing);
    return why ? why : MatchVelocities(info, plrImage, *recording);
  });
  if (problem) {
    if (!missing) Log("velocities \"%s\": %s; the recording plays back at full strength", path, problem);
    return false;
  }
  for (int slot = 0; slot < kPlrPadSlots; ++slot) recording->velocities[slot] = std::move(info.velocities[slot]);
  return true;
}
