#pragma once
// The system log: one text file, truncated at every start, with a header line,
// one line per Send in call order (no time stamp), and a footer at a clean
// shutdown. Each line is flushed as it is sent, so the log is complete after
// a crash. Main thread only.
//
// Two things keep a flood of messages (a damaged settings file, a failure
// repeated every frame) from filling the disk: a message identical to the one
// before it is only counted, and written as "Last message repeated N times"
// when a different one follows or the log closes; and the file stops growing
// at its size cap, with a last line saying so (the footer is still written).
#include <cstdarg>
#include <cstddef>

#include "basalt/foundation/idevice.h"

namespace Basalt {

class Log : public IDevice {
 public:
  static constexpr unsigned kFileNameCapacity = 256;
  static constexpr unsigned kMaxFormatLength = 1536;
  static constexpr unsigned kLineCapacity = 2048;
  static constexpr size_t kDefaultSizeCap = 1024 * 1024;
  // Kept free below the cap for the closing lines.
  static constexpr size_t kClosingRoom = 256;

  // Keeps at most 255 characters of fileName; opens nothing yet. The file
  // will hold at most sizeCap bytes (at least kClosingRoom plus a line).
  explicit Log(const char* fileName, size_t sizeCap = kDefaultSizeCap);
  ~Log() override;

  // Opens the file through g_pFileSystem and writes the header. params is ignored.
  bool Initialize(void* params) override;
  bool Update() override { return true; }
  // Writes the count of a repeated last message, the footer, and closes the
  // file; false when there was nothing open.
  bool Shutdown() override;

  // printf-style; appends one line. Does nothing while the file is not open
  // or when the format itself is longer than 1536 characters; a formatted
  // line longer than 2047 characters is cut there.
  void Send(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // The same with the arguments already gathered.
  void SendArgs(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

 private:
  void WriteRepeatCount();
  // Writes text and a line feed while the file is below its cap; the line
  // that would pass it is replaced by the notice that the log stops.
  void WriteLine(const char* text);

  char m_fileName[kFileNameCapacity] = {};
  int m_handle = -1;
  size_t m_sizeCap;
  size_t m_written = 0;
  bool m_full = false;
  char m_lastLine[kLineCapacity] = {};
  bool m_hasLastLine = false;
  unsigned long m_repeats = 0;
};

extern Log* g_pSystemLog;

// Sends one line to the system log when there is one, as g_pSystemLog->Send
// does; before start-up publishes the log and after shutdown withdraws it,
// the line goes nowhere. Main thread, as the log is.
void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace Basalt
