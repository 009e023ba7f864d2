#include "backline/recording/plr_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

namespace {

constexpr char kMagic[] = "PLR03";

void PutBytes(std::vector<uint8_t>* out, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}
// Integers and floats are stored little-endian, the byte order of every machine we build for.
void PutInt(std::vector<uint8_t>* out, int32_t value) { PutBytes(out, &value, 4); }
void PutFloat(std::vector<uint8_t>* out, float value) { PutBytes(out, &value, 4); }

// Reads fixed-size fields from an image, refusing to run past its end.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Take(void* out, size_t size) {
    if (size > m_size - m_at) return false;
    std::memcpy(out, m_data + m_at, size);
    m_at += size;
    return true;
  }
  size_t Left() const { return m_size - m_at; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

void PutPath(std::vector<uint8_t>* out, const char* path) {
  char field[kPlrPathField] = {};
  std::strncpy(field, path, kPlrPathField - 1);
  PutBytes(out, field, kPlrPathField);
}

bool TakePath(Reader* in, char* path) {
  if (!in->Take(path, kPlrPathField)) return false;
  path[kPlrPathField - 1] = '\0';  // a field with no NUL of its own names no sample
  return true;
}

}  // namespace

bool plrInfo::HasEvents() const {
  for (const std::vector<int32_t>& track : tracks)
    if (!track.empty()) return true;
  return false;
}

void plrInfo::ClearTracks() {
  for (std::vector<int32_t>& track : tracks) track.clear();
}

std::vector<uint8_t> EncodeRecording(const plrInfo& recording) {
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

bool DecodeRecording(const uint8_t* image, size_t size, plrInfo* out) {
  if (!image || size < kPlrHeaderSize || (image[4] != '2' && image[4] != '3')) return false;
  plrInfo parsed;
  parsed.version = image[4] - '0';
  Reader in(image, size);
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
    if (!in.Take(&count, 4) || count < 0 || static_cast<size_t>(count) > in.Left() / 4) return false;
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

bool SaveRecording(const char* path, const plrInfo& recording) {
  const std::vector<uint8_t> image = EncodeRecording(recording);
  return Basalt::WriteFileAtomically(path, image.data(), image.size());
}

bool LoadRecordingFile(const char* path, plrInfo* out) {
  if (!path) return false;
  std::ifstream file(Basalt::ResolvePath(path), std::ios::binary);
  if (!file) return false;
  const std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DecodeRecording(image.data(), image.size(), out);
}
