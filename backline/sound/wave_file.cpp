#include "backline/sound/wave_file.h"

#include <string>

#include "basalt/fs/path.h"

namespace {

constexpr size_t kPcmHeadSize = 16;

uint16_t Read16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }
uint32_t Read32(const unsigned char* bytes) {
  return static_cast<uint32_t>(Read16(bytes)) | static_cast<uint32_t>(Read16(bytes + 2)) << 16;
}

}  // namespace

WaveFile::Result WaveFile::Open(const char* path) {
  if (!path) return kInvalidArg;
  Close();
  m_format.reset();
  m_dataSize = 0;
  if (!m_file.Open(Basalt::ResolvePath(path).c_str())) return kFail;
  RiffChunk riff;
  Result result = m_file.DescendRiff(&riff) && riff.formType == FourCC("WAVE") ? ReadFormat(riff) : kFail;
  if (result == kOk) result = FindData(riff);
  if (result != kOk) {
    Close();
    m_format.reset();
  }
  return result;
}

WaveFile::Result WaveFile::ReadFormat(const RiffChunk& riff) {
  RiffChunk fmt;
  unsigned char head[kPcmHeadSize];
  if (!m_file.FindChunk(riff, FourCC("fmt "), &fmt) || fmt.size < kPcmHeadSize ||
      !m_file.ReadExactly(head, sizeof head))
    return kFail;
  auto format = std::make_unique<WaveFormat>();
  format->formatTag = Read16(head);
  format->channels = Read16(head + 2);
  format->samplesPerSec = Read32(head + 4);
  format->avgBytesPerSec = Read32(head + 8);
  format->blockAlign = Read16(head + 12);
  format->bitsPerSample = Read16(head + 14);
  if (format->formatTag != WaveFormat::kPcm) {
    unsigned char extraSize[2];
    if (!m_file.ReadExactly(extraSize, sizeof extraSize)) return kFail;
    format->extraSize = Read16(extraSize);
    // The extra bytes must lie inside the file before anything is allocated for them.
    if (fmt.dataOffset + kPcmHeadSize + 2 + format->extraSize > m_file.FileSize()) return kFail;
    format->extra.resize(format->extraSize);
    if (!m_file.ReadExactly(format->extra.data(), format->extra.size())) return kFail;
  }
  if (!m_file.Ascend(fmt)) return kFail;
  m_format = std::move(format);
  return kOk;
}

WaveFile::Result WaveFile::FindData(const RiffChunk& riff) {
  RiffChunk data;
  if (!m_file.Seek(riff.dataOffset + 4) || !m_file.FindChunk(riff, FourCC("data"), &data)) return kFail;
  if (data.dataOffset + data.size > m_file.FileSize()) return kFail;
  m_dataSize = m_dataLeft = data.size;
  return kOk;
}

WaveFile::Result WaveFile::Read(void* buffer, uint32_t bytesWanted, uint32_t* bytesRead) {
  if (!m_file.IsOpen()) return kNotOpen;
  if (!buffer || !bytesRead) return kInvalidArg;
  *bytesRead = 0;
  const uint32_t count = bytesWanted < m_dataLeft ? bytesWanted : m_dataLeft;
  m_dataLeft -= count;
  if (!m_file.ReadExactly(buffer, count)) return kFail;
  *bytesRead = count;
  return kOk;
}

void WaveFile::Close() {
  m_file.Close();
  m_dataLeft = 0;
}
