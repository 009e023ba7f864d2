#pragma once
// The pieces the recording's files are read and written with: fixed-size
// fields put into and taken from byte images (integers and floats are stored
// little-endian, the byte order of every machine we build for), and a file of
// the game directory opened for reading with its size. Main thread.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

void PutBytes(std::vector<uint8_t>* out, const void* data, size_t size);
void PutInt(std::vector<uint8_t>* out, int32_t value);
void PutFloat(std::vector<uint8_t>* out, float value);

// Reads fixed-size fields from an image, refusing to run past its end.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  // Copies the next size bytes into out; false, taking nothing, past the end.
  bool Take(void* out, size_t size);
  size_t Left() const { return m_size - m_at; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A file opened for reading (null when it could not be) and its size.
struct OpenedFile {
  File file{nullptr, &std::fclose};
  uint64_t size = 0;
};

// Opens the regular file at path (a program path, resolved as every path
// is); the file is null when there is none there or it cannot be opened. May
// throw what std::filesystem throws (run it under Basalt::RunGuarded).
OpenedFile OpenForReading(const char* path);

bool ReadExactly(std::FILE* file, void* out, size_t size);
