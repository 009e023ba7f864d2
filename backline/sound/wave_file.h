#pragma once
// WaveFile reads a RIFF WAVE file: its format description and its "data"
// chunk. Owned by its user, main thread only; it logs nothing, the caller
// turns results into log lines.
#include <cstdint>
#include <memory>
#include <vector>

#include "backline/sound/riff_reader.h"

// The "fmt " chunk: the PCM head (16 bytes in the file) plus, for any tag but
// PCM, the extra format bytes the file gives after it.
struct WaveFormat {
  static constexpr uint16_t kPcm = 1;
  static constexpr uint16_t kFloat = 3;
  static constexpr uint16_t kExtensible = 0xFFFE;

  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t extraSize = 0;      // 0 for PCM
  std::vector<uint8_t> extra;  // extraSize bytes
};

class WaveFile {
 public:
  // Result codes: 0 success, negative failure (the values Windows uses).
  using Result = int32_t;
  static constexpr Result kOk = 0;
  static constexpr Result kFail = static_cast<Result>(0x80004005u);
  static constexpr Result kInvalidArg = static_cast<Result>(0x80070057u);
  static constexpr Result kNotOpen = static_cast<Result>(0x800401F0u);

  WaveFile() = default;
  ~WaveFile() { Close(); }
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  // Opens path (a program path, resolved here), reads the format and stands
  // at the start of the data. The "data" chunk is found wherever it lies in
  // the RIFF chunk; it must lie wholly inside the file.
  Result Open(const char* path);
  // The format read by the last successful Open, or null. Valid until the
  // next Open or destruction (Close keeps it).
  const WaveFormat* GetFormat() const { return m_format.get(); }
  // Bytes in the "data" chunk, fixed at Open.
  uint32_t GetSize() const { return m_dataSize; }
  // Reads the next min(bytesWanted, bytes left in the chunk) bytes.
  Result Read(void* buffer, uint32_t bytesWanted, uint32_t* bytesRead);
  void Close();

 private:
  Result ReadFormat(const RiffChunk& riff);
  Result FindData(const RiffChunk& riff);

  RiffReader m_file;
  std::unique_ptr<WaveFormat> m_format;
  uint32_t m_dataSize = 0;
  uint32_t m_dataLeft = 0;
};
