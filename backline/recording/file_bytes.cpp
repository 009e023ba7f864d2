#include "backline/recording/file_bytes.h"

#include <cstring>
#include <filesystem>
#include <string>

#include "basalt/fs/path.h"

void PutBytes(std::vector<uint8_t>* out, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

void PutInt(std::vector<uint8_t>* out, int32_t value) { PutBytes(out, &value, 4); }

void PutFloat(std::vector<uint8_t>* out, float value) { PutBytes(out, &value, 4); }

bool ByteReader::Take(void* out, size_t size) {
  if (size > m_size - m_at) return false;
  std::memcpy(out, m_data + m_at, size);
  m_at += size;
  return true;
}

OpenedFile OpenForReading(const char* path) {
  namespace fs = std::filesystem;
  const std::string resolved = Basalt::ResolvePath(path);
  OpenedFile opened;
  std::error_code ec;
  if (!fs::is_regular_file(resolved, ec)) return opened;
  opened.size = fs::file_size(resolved, ec);
  if (!ec) opened.file.reset(std::fopen(resolved.c_str(), "rb"));
  return opened;
}

bool ReadExactly(std::FILE* file, void* out, size_t size) { return std::fread(out, 1, size, file) == size; }
