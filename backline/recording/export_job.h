#pragma once
// An export of a recording to WAV while the program plays: the program runs
// itself again as `backline --export-wav RECORDING WAV` (export_command.h),
// a process of its own with the voice engine to itself, so the render never
// touches the sound the user hears nor waits on the frame, and the frame
// never waits on it. The screen asks each frame how it is going. What went
// wrong is in the export's log, exportlog.txt.
//
// Main thread only. The destructor does not wait: an export still running
// then finishes on its own, writing its file whole or not at all.
#include <string>
#include <sys/types.h>

class ExportJob {
 public:
  enum class State { Idle, Running, Done, Failed };

  ExportJob() = default;
  ~ExportJob() = default;
  ExportJob(const ExportJob&) = delete;
  ExportJob& operator=(const ExportJob&) = delete;

  // Starts exporting the recording at recordingPath to wavPath (program
  // paths, relative to the game directory). False, with a log line, when
  // one is running already or the process cannot be started.
  bool Start(const std::string& recordingPath, const std::string& wavPath);
  // Where the export is; never blocks. Done or Failed stays until the next Start.
  State Poll();
  const std::string& WavPath() const { return m_wavPath; }

 private:
  pid_t m_child = -1;
  State m_state = State::Idle;
  std::string m_wavPath;
};

// The program the exports run: this program's own file unless set (the
// end-to-end tests run the program inside the test binary and name the real
// one here). Main thread.
void SetExportProgram(const std::string& path);
