// Preset layout, little-endian without padding: "PR03" (only the fourth byte,
// the version, is read), ten pad records of 396 bytes (a 196-byte primary
// path, a 196-byte secondary path, an int32 function), and in version 3
// twenty float32 volumes. The volume block holds the volumes of sound slots
// 0..9 and then 5..14, the order the format has always had: entry k is sound
// slot (k / 10) x 5 + k % 10. Readers apply them in the same order, so the
// second copy of slots 5..9 wins and slots 15..19 are never stored. The
// path fields and functions are written as the assignment keeps them, so a
// pad nobody changed is saved with the very bytes it was read from.
//
// The reader takes the whole layout into memory before it touches anything,
// so a short or damaged file changes nothing. The writer builds the file in
// memory and hands it to WriteFileAtomically: a full disk or a crash leaves
// the old preset whole.
#include "backline/pads/preset_file.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/atomic_write.h"

const char kDefaultPresetPath[] = "Presets\\default.preset";

namespace {

constexpr unsigned kMaxPathLength = 260;
constexpr unsigned kMagicSize = 4;
constexpr unsigned kPathField = SampleBank::kFieldSize;
constexpr unsigned kRecordSize = 2 * kPathField + 4;
constexpr unsigned kVolumeBlock = kPresetVersion2Size;  // the volumes follow the pad records
const char kMagic[] = "PR03";

using Layout = unsigned char[kPresetVersion3Size];

std::string LimitedPath(const char* path) { return std::string(path).substr(0, kMaxPathLength); }

void PutInt32(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t GetInt32(const unsigned char* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
         static_cast<uint32_t>(at[3]) << 24;
}

void BuildPreset(Layout bytes, const PadAssignment& assignment, const PadVolumes& volumes) {
  std::memset(bytes, 0, sizeof(Layout));
  std::memcpy(bytes, kMagic, kMagicSize);
  for (int slot = 0; slot < kPadSlots; ++slot) {
    unsigned char* record = bytes + kMagicSize + kRecordSize * static_cast<unsigned>(slot);
    std::memcpy(record, assignment.path[slot][PrimarySample], kPathField);
    std::memcpy(record + kPathField, assignment.path[slot][SecondarySample], kPathField);
    PutInt32(record + 2 * kPathField, static_cast<uint32_t>(assignment.function[slot]));
  }
  for (int k = 0; k < kStoredVolumes; ++k) {
    uint32_t bits;
    std::memcpy(&bits, &volumes.volume[StoredVolumeSlot(k)], sizeof bits);
    PutInt32(bytes + kVolumeBlock + 4 * k, bits);
  }
}

void ApplyPreset(const Layout bytes, bool withVolumes, PadAssignment* assignment, const SampleBank& bank,
                 PadVolumes* volumes) {
  for (int slot = 0; slot < kPadSlots; ++slot) {
    const unsigned char* record = bytes + kMagicSize + kRecordSize * static_cast<unsigned>(slot);
    for (int which = PrimarySample; which <= SecondarySample; ++which)
      RestorePadSample(assignment, bank, slot, which, reinterpret_cast<const char*>(record + kPathField * which));
    assignment->function[slot] = static_cast<int32_t>(GetInt32(record + 2 * kPathField));
  }
  if (!withVolumes) return;
  for (int k = 0; k < kStoredVolumes; ++k) {
    const uint32_t bits = GetInt32(bytes + kVolumeBlock + 4 * k);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    volumes->Set(StoredVolumeSlot(k), value);
  }
}

// What can be wrong with a preset file, as the user is told it.
const char kCannotOpen[] = "the file cannot be opened";
const char kWrongVersion[] = "incorrect file version";
const char kTooShort[] = "the file is too short, nothing loaded";
const char kOutOfMemory[] = "there is not enough memory to read it";

// Reads the version byte and then the rest of that version's layout; null,
// or what is wrong when any of it is missing.
const char* ReadPreset(const std::string& path, Layout bytes, unsigned* size) {
  Basalt::IFileSystem* files = Basalt::g_pFileSystem;
  const int handle = files->OpenFile(path.c_str(), Basalt::IFileSystem::kReadBinary);
  if (handle < 0) return kCannotOpen;
  bool ok = files->Read(handle, bytes, kMagicSize);
  const char version = static_cast<char>(bytes[kMagicSize - 1]);
  if (ok && version != '2' && version != '3') {
    files->Close(handle);
    return kWrongVersion;
  }
  *size = version == '3' ? kPresetVersion3Size : kPresetVersion2Size;
  ok = ok && files->Read(handle, bytes + kMagicSize, *size - kMagicSize);
  files->Close(handle);
  return ok ? nullptr : kTooShort;
}

// Reads the preset at path and applies it; null, or what is wrong.
const char* ReadAndApply(const std::string& path, PadAssignment* assignment, const SampleBank& bank,
                         PadVolumes* volumes) {
  Layout bytes;
  unsigned size = 0;
  if (const char* problem = ReadPreset(path, bytes, &size)) return problem;
  ApplyPreset(bytes, size == kPresetVersion3Size, assignment, bank, volumes);
  LogMissingSamples(*assignment, ("preset \"" + path + "\"").c_str());
  return nullptr;
}

}  // namespace

bool SavePreset(const char* path, const PadAssignment& assignment, const PadVolumes& volumes) {
  if (!path) return false;
  Layout bytes;
  BuildPreset(bytes, assignment, volumes);
  return Basalt::WriteFileAtomically(LimitedPath(path).c_str(), bytes, sizeof(Layout));
}

bool LoadPreset(const char* path, PadAssignment* assignment, const SampleBank& bank, PadVolumes* volumes,
                const char** why) {
  if (!path) return false;
  const char* problem = Basalt::RunGuarded("Cannot load the preset", path, kOutOfMemory, [&] {
    return ReadAndApply(LimitedPath(path), assignment, bank, volumes);
  });
  if (!problem) return true;
  Basalt::LogMessage("preset \"%s\": %s", LimitedPath(path).c_str(), problem);
  if (why) *why = problem;
  return false;
}

bool LoadDefaultPreset(PadAssignment* assignment, const SampleBank& bank, PadVolumes* volumes) {
  Basalt::LogMessage("Loading default preset...");
  const bool loaded = LoadPreset(kDefaultPresetPath, assignment, bank, volumes);
  if (!loaded) Basalt::LogMessage("cannot load default.preset!");
  return loaded;
}
