#include "backline/sound/sound_file_source.h"

#include <cstring>

namespace {

constexpr uint64_t kRiffHeaderSize = 12;  // "RIFF", size, "WAVE"
constexpr uint64_t kChunkHeaderSize = 8;  // id, size
// The data chunk comes among the first few; a file that hides it behind more
// is read as it stands.
constexpr int kChunksSearched = 64;

uint32_t LittleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

SoundFileSource::SoundFileSource(const char* path) : m_file(std::fopen(path, "rb"), &std::fclose) {
  if (!m_file || !MeasureLength()) {
    m_file.reset();
    return;
  }
  FindStreamingDataSize();
  std::rewind(m_file.get());
}

bool SoundFileSource::MeasureLength() {
  if (std::fseek(m_file.get(), 0, SEEK_END) != 0) return false;
  const long length = std::ftell(m_file.get());
  m_length = length < 0 ? 0 : static_cast<uint64_t>(length);
  return length >= 0;
}

void SoundFileSource::FindStreamingDataSize() {
  uint8_t header[kChunkHeaderSize + 4];
  std::rewind(m_file.get());
  if (std::fread(header, 1, sizeof header, m_file.get()) != sizeof header) return;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return;
  uint64_t at = kRiffHeaderSize;
  for (int chunk = 0; chunk < kChunksSearched && at + kChunkHeaderSize <= m_length; ++chunk) {
    if (std::fseek(m_file.get(), static_cast<long>(at), SEEK_SET) != 0 ||
        std::fread(header, 1, kChunkHeaderSize, m_file.get()) != kChunkHeaderSize)
      return;
    const uint32_t size = LittleEndian32(header + 4);
    if (std::memcmp(header, "data", 4) == 0) {
      if (size != 0) return;
      const uint64_t rest = m_length - at - kChunkHeaderSize;
      const uint32_t repaired = rest > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(rest);
      for (int i = 0; i < 4; ++i) m_size[i] = static_cast<uint8_t>(repaired >> (8 * i));
      m_sizeField = at + 4;
      return;
    }
    at += kChunkHeaderSize + size + (size & 1u);
  }
}

void SoundFileSource::Repair(uint8_t* buffer, uint64_t offset, uint64_t count) const {
  if (m_sizeField == 0) return;
  for (uint64_t i = 0; i < sizeof m_size; ++i) {
    const uint64_t position = m_sizeField + i;
    if (position >= offset && position < offset + count) buffer[position - offset] = m_size[i];
  }
}

SF_VIRTUAL_IO* SoundFileSource::Callbacks() {
  static SF_VIRTUAL_IO callbacks = {&Length, &Seek, &Read, &Write, &Tell};
  return &callbacks;
}

sf_count_t SoundFileSource::Length(void* source) {
  return static_cast<sf_count_t>(static_cast<SoundFileSource*>(source)->m_length);
}

sf_count_t SoundFileSource::Seek(sf_count_t offset, int whence, void* source) {
  std::FILE* file = static_cast<SoundFileSource*>(source)->m_file.get();
  if (std::fseek(file, static_cast<long>(offset), whence) != 0) return -1;
  return Tell(source);
}

sf_count_t SoundFileSource::Read(void* buffer, sf_count_t count, void* source) {
  auto* self = static_cast<SoundFileSource*>(source);
  if (count <= 0) return 0;
  const long offset = std::ftell(self->m_file.get());
  const size_t got = std::fread(buffer, 1, static_cast<size_t>(count), self->m_file.get());
  if (offset >= 0) self->Repair(static_cast<uint8_t*>(buffer), static_cast<uint64_t>(offset), got);
  return static_cast<sf_count_t>(got);
}

sf_count_t SoundFileSource::Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t SoundFileSource::Tell(void* source) {
  return std::ftell(static_cast<SoundFileSource*>(source)->m_file.get());
}
