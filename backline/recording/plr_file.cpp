#include "backline/recording/plr_file.h"

#include <cstdio>
#include <cstring>

#include "backline/recording/file_bytes.h"
#include "backline/recording/plrv_file.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/atomic_write.h"

namespace {

constexpr char kMagic[] = "PLR03";
constexpr size_t kVersionByte = 4;

// What can be wrong with a recording file, as the user is told it.
const char kCannotOpen[] = "the file cannot be opened";
const char kCannotRead[] = "the file cannot be read";
const char kNotARecording[] = "it is not a recording";
const char kCutShort[] = "the file is cut short";
const char kNegativeCount[] = "an event count is negative";
const char kTooManyEvents[] = "a pad holds more events than a recording can";
const char kTooLong[] = "the file is longer than the recording it holds";
const char kDamaged[] = "the file is damaged";
const char kOutOfMemory[] = "there is not enough memory to read it";

bool IsRecordingVersion(uint8_t version) { return version == '2' || version == '3'; }

// Whether a track of count events fits the bytes left behind its count.
const char* CheckTrackCount(int32_t count, uint64_t bytesLeft) {
  if (count < 0) return kNegativeCount;
  if (static_cast<size_t>(count) > kPlrTrackCapacity) return kTooManyEvents;
  return static_cast<uint64_t>(count) * 4 > bytesLeft ? kCutShort : nullptr;
}

void PutPath(std::vector<uint8_t>* out, const char* path) {
  char field[kPlrPathField] = {};
  std::strncpy(field, path, kPlrPathField - 1);
  PutBytes(out, field, kPlrPathField);
}

bool TakePath(ByteReader* in, char* path) {
  if (!in->Take(path, kPlrPathField)) return false;
  path[kPlrPathField - 1] = '\0';  // a field with no NUL of its own names no sample
  return true;
}

// Walks the header and the event counts of an open recording of fileSize
// bytes, seeking past the events, and compares the size they imply with the
// file's: null when they are equal, else what is wrong. Reads at most the
// header and ten counts, however large the file.
const char* CheckImpliedSize(std::FILE* file, uint64_t fileSize) {
  uint8_t header[kPlrHeaderSize];
  const size_t got = std::fread(header, 1, sizeof header, file);
  if (got <= kVersionByte || !IsRecordingVersion(header[kVersionByte])) return kNotARecording;
  if (got < sizeof header) return kCutShort;
  uint64_t implied = kPlrHeaderSize;
  for (int track = 0; track < kPlrPadSlots; ++track) {
    int32_t count = 0;
    if (!ReadExactly(file, &count, 4)) return kCutShort;
    implied += 4;
    if (const char* problem = CheckTrackCount(count, fileSize - implied)) return problem;
    implied += static_cast<uint64_t>(count) * 4;
    if (std::fseek(file, static_cast<long>(implied), SEEK_SET) != 0) return kCannotRead;
  }
  if (header[kVersionByte] == '3') implied += kPlrVolumes * 4;
  if (implied > fileSize) return kCutShort;
  return implied < fileSize ? kTooLong : nullptr;
}

// Loads the recording at path into out; null, or what is wrong.
const char* ReadRecording(const char* path, Recording* out) {
  const OpenedFile opened = OpenForReading(path);
  if (!opened.file) return kCannotOpen;
  if (const char* problem = CheckImpliedSize(opened.file.get(), opened.size)) return problem;
  std::vector<uint8_t> image(opened.size);
  std::rewind(opened.file.get());
  if (!ReadExactly(opened.file.get(), image.data(), image.size())) return kCannotRead;
  if (!DecodeRecording(image.data(), image.size(), out)) return kDamaged;
  LoadVelocityFile(path, image, out);
  return nullptr;
}

}  // namespace

bool Recording::HasEvents() const {
  for (const std::vector<int32_t>& track : tracks)
    if (!track.empty()) return true;
  return false;
}

bool Recording::HasVelocities() const {
  for (const std::vector<float>& track : velocities)
    if (!track.empty()) return true;
  return false;
}

float Recording::EventVelocity(int slot, size_t index) const {
  const std::vector<float>& track = velocities[slot];
  return index < track.size() ? track[index] : 1.0f;
}

void Recording::ClearTracks() {
  for (std::vector<int32_t>& track : tracks) track.clear();
  for (std::vector<float>& track : velocities) track.clear();
}

std::vector<uint8_t> EncodeRecording(const Recording& recording) {
  std::vector<uint8_t> out;
  size_t events = 0;
  for (const std::vector<int32_t>& track : recording.tracks) events += track.size();
  out.reserve(kPlrHeaderSize + kPlrPadSlots * 4 + events * 4 + kPlrVolumes * 4);
  PutBytes(&out, kMagic, 5);
  PutInt(&out, recording.kitCount);
  for (const PlrPadRecord& pad : recording.pads) {
    PutPath(&out, pad.primary);
    PutPath(&out, pad.secondary);
    out.push_back(pad.enablesSecondaries ? 1 : 0);
  }
  PutInt(&out, recording.length);
  for (const std::vector<int32_t>& track : recording.tracks) {
    PutInt(&out, static_cast<int32_t>(track.size()));
    for (int32_t time : track) PutInt(&out, time);
  }
  for (float volume : recording.volumes) PutFloat(&out, volume);
  return out;
}

bool DecodeRecording(const uint8_t* image, size_t size, Recording* out) {
  if (!image || size < kPlrHeaderSize || !IsRecordingVersion(image[kVersionByte])) return false;
  Recording parsed;
  parsed.version = image[kVersionByte] - '0';
  ByteReader in(image, size);
  char magic[5];
  in.Take(magic, 5);
  in.Take(&parsed.kitCount, 4);
  for (PlrPadRecord& pad : parsed.pads) {
    uint8_t flag = 0;
    TakePath(&in, pad.primary);
    TakePath(&in, pad.secondary);
    in.Take(&flag, 1);
    pad.enablesSecondaries = flag == 1;
  }
  in.Take(&parsed.length, 4);
  for (std::vector<int32_t>& track : parsed.tracks) {
    int32_t count = 0;
    if (!in.Take(&count, 4) || CheckTrackCount(count, in.Left())) return false;
    track.resize(static_cast<size_t>(count));
    if (count > 0) in.Take(track.data(), static_cast<size_t>(count) * 4);
  }
  if (parsed.version == 3) {
    if (!in.Take(parsed.volumes, sizeof parsed.volumes)) return false;
  } else {
    std::fill(std::begin(parsed.volumes), std::end(parsed.volumes), 1.0f);
  }
  *out = std::move(parsed);
  return true;
}

bool SaveRecording(const char* path, const Recording& recording) {
  const std::vector<uint8_t> image = EncodeRecording(recording);
  if (!Basalt::WriteFileAtomically(path, image.data(), image.size())) return false;
  SaveVelocityFile(path, recording, image);
  return true;
}

bool LoadRecordingFile(const char* path, Recording* out, const char** why) {
  if (!path) return false;
  const char* problem =
      Basalt::RunGuarded("Cannot load the recording", path, kOutOfMemory, [&] { return ReadRecording(path, out); });
  if (!problem) return true;
  Basalt::LogMessage("recording \"%s\": %s", path, problem);
  if (why) *why = problem;
  return false;
}
