#pragma once
// The system log: one text file, truncated at every start, with a header line,
// one line per Send in call order (no time stamp), and a footer at a clean
// shutdown. Each line is flushed as it is sent, so the log is complete after
// a crash. Main thread only.
#include "basalt/core/idevice.h"

namespace Basalt {

class Log : public IDevice {
 public:
  static constexpr unsigned kFileNameCapacity = 256;
  static constexpr unsigned kMaxFormatLength = 1536;
  static constexpr unsigned kLineCapacity = 2048;

  // Keeps at most 255 characters of fileName; opens nothing yet.
  explicit Log(const char* fileName);
  ~Log() override;

  // Opens the file through g_pFileSystem and writes the header. params is ignored.
  bool Initialize(void* params) override;
  bool Update() override { return true; }
  // Writes the footer and closes the file; false when there was nothing open.
  bool Shutdown() override;

  // printf-style; appends one line. Does nothing while the file is not open
  // or when the format itself is longer than 1536 characters; a formatted
  // line longer than 2047 characters is cut there.
  void Send(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  char m_fileName[kFileNameCapacity] = {};
  int m_handle = -1;
};

extern Log* g_pSystemLog;

}  // namespace Basalt
