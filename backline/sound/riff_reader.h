#pragma once
// Reads the chunk tree of a RIFF file: an outer "RIFF" chunk with a form type,
// holding child chunks, each an id, a little-endian size and the data, padded
// to an even length. Chunks are found by walking headers from the current
// position; a chunk that claims to run past its parent or the file is never
// trusted. Whoever opened a reader owns its file until Close or destruction.
// Not thread-safe: one user at a time.
#include <cstdint>
#include <cstdio>

// A four-character chunk id as stored in the file ("RIFF" reads 'R','I','F','F').
constexpr uint32_t FourCC(const char (&id)[5]) {
  return static_cast<uint32_t>(static_cast<unsigned char>(id[0])) |
         static_cast<uint32_t>(static_cast<unsigned char>(id[1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(id[2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(id[3])) << 24;
}

struct RiffChunk {
  uint32_t id = 0;
  uint32_t size = 0;        // bytes of data, as the header says
  uint64_t dataOffset = 0;  // file offset of the data, just behind the header
  uint32_t formType = 0;    // "RIFF" and "LIST" chunks only
  // Where the data ends, cut to what the file holds.
  uint64_t end = 0;
};

class RiffReader {
 public:
  RiffReader() = default;
  ~RiffReader() { Close(); }
  RiffReader(const RiffReader&) = delete;
  RiffReader& operator=(const RiffReader&) = delete;

  // Opens the file at path (already resolved) for buffered reading.
  bool Open(const char* path);
  void Close();
  bool IsOpen() const { return m_file != nullptr; }
  uint64_t FileSize() const { return m_fileSize; }

  // Reads the first chunk of the file, which must be "RIFF" with its form
  // type; leaves the position behind the form type.
  bool DescendRiff(RiffChunk* out);
  // Searches from the current position, inside parent, for the child chunk
  // id, skipping other chunks and their pad bytes. On success the position
  // is at the child's data.
  bool FindChunk(const RiffChunk& parent, uint32_t id, RiffChunk* out);
  // Moves behind chunk and its pad byte.
  bool Ascend(const RiffChunk& chunk);
  bool Seek(uint64_t offset);
  // Reads up to size bytes; returns how many were read.
  size_t Read(void* buffer, size_t size);
  // Reads exactly size bytes, or fails.
  bool ReadExactly(void* buffer, size_t size) { return Read(buffer, size) == size; }

 private:
  bool ReadHeader(RiffChunk* out);

  std::FILE* m_file = nullptr;
  uint64_t m_fileSize = 0;
};
