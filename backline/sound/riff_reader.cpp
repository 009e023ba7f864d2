#include "backline/sound/riff_reader.h"

namespace {

uint32_t LittleEndian32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

constexpr uint64_t kHeaderSize = 8;

}  // namespace

bool RiffReader::Open(const char* path) {
  Close();
  m_file = std::fopen(path, "rb");
  if (!m_file) return false;
  if (std::fseek(m_file, 0, SEEK_END) != 0) {
    Close();
    return false;
  }
  const long size = std::ftell(m_file);
  if (size < 0 || std::fseek(m_file, 0, SEEK_SET) != 0) {
    Close();
    return false;
  }
  m_fileSize = static_cast<uint64_t>(size);
  return true;
}

void RiffReader::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  m_fileSize = 0;
}

bool RiffReader::ReadHeader(RiffChunk* out) {
  unsigned char header[kHeaderSize];
  const long start = std::ftell(m_file);
  if (start < 0 || !ReadExactly(header, sizeof header)) return false;
  out->id = LittleEndian32(header);
  out->size = LittleEndian32(header + 4);
  out->dataOffset = static_cast<uint64_t>(start) + kHeaderSize;
  out->formType = 0;
  const uint64_t claimedEnd = out->dataOffset + out->size;
  out->end = claimedEnd < m_fileSize ? claimedEnd : m_fileSize;
  return true;
}

bool RiffReader::DescendRiff(RiffChunk* out) {
  if (!m_file || !Seek(0) || !ReadHeader(out) || out->id != FourCC("RIFF")) return false;
  unsigned char formType[4];
  if (out->size < sizeof formType || !ReadExactly(formType, sizeof formType)) return false;
  out->formType = LittleEndian32(formType);
  return true;
}

bool RiffReader::FindChunk(const RiffChunk& parent, uint32_t id, RiffChunk* out) {
  if (!m_file) return false;
  for (;;) {
    const long position = std::ftell(m_file);
    if (position < 0 || static_cast<uint64_t>(position) + kHeaderSize > parent.end) return false;
    if (!ReadHeader(out)) return false;
    if (out->id == id) return true;
    if (!Ascend(*out)) return false;
  }
}

bool RiffReader::Ascend(const RiffChunk& chunk) {
  const uint64_t next = chunk.dataOffset + chunk.size + (chunk.size & 1u);
  return next <= m_fileSize && Seek(next);
}

bool RiffReader::Seek(uint64_t offset) {
  return m_file && offset <= m_fileSize && std::fseek(m_file, static_cast<long>(offset), SEEK_SET) == 0;
}

size_t RiffReader::Read(void* buffer, size_t size) { return m_file ? std::fread(buffer, 1, size, m_file) : 0; }
