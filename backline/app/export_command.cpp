#include "backline/app/export_command.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "backline/pads/preset_file.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/midi_export.h"
#include "backline/recording/plr_file.h"
#include "backline/recording/wav_export.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/file_system_std.h"

namespace {

const char kLogFile[] = "exportlog.txt";
const char kSettingsFile[] = "settings.cfg";

// The engine's services the export reads through (the file system, the log,
// the console variables), published as the core publishes them, and taken
// down in reverse order.
class ExportServices {
 public:
  ExportServices() : m_log(kLogFile) {
    Basalt::g_pFileSystem = &m_fileSystem;
    if (m_log.Initialize(nullptr)) Basalt::g_pSystemLog = &m_log;
    Basalt::g_pCVarSystem = &m_cvars;
    m_cvars.Initialize(const_cast<char*>(kSettingsFile));
  }
  ~ExportServices() {
    Basalt::g_pCVarSystem = nullptr;
    if (Basalt::g_pSystemLog) m_log.Shutdown();
    Basalt::g_pSystemLog = nullptr;
    Basalt::g_pFileSystem = nullptr;
  }
  ExportServices(const ExportServices&) = delete;
  ExportServices& operator=(const ExportServices&) = delete;

 private:
  Basalt::FileSystemStd m_fileSystem;
  Basalt::Log m_log;
  Basalt::CVarSystem m_cvars;
};

int Fail(const char* recordingPath, const std::string& why) {
  std::fprintf(stderr, "Cannot export %s: %s (see %s)\n", recordingPath, why.c_str(), kLogFile);
  return EXIT_FAILURE;
}

// Loads the recording at path into out; why not, or null.
const char* LoadRecording(const char* path, Recording* out) {
  const char* unreadable = nullptr;
  return LoadRecordingFile(path, out, &unreadable) ? nullptr : unreadable;
}

}  // namespace

int RunExportCommand(const char* recordingPath, const char* wavPath) {
  const ExportServices services;
  auto bank = std::make_unique<SampleBank>();
  std::string problem;
  if (!DiscoverSampleBank(bank.get(), &problem)) return Fail(recordingPath, problem);
  auto recording = std::make_unique<Recording>();
  if (const char* unreadable = LoadRecording(recordingPath, recording.get())) return Fail(recordingPath, unreadable);
  const std::string why = ExportRecordingWav({*recording, *bank, kDefaultPresetPath, recordingPath}, wavPath);
  if (!why.empty()) return Fail(recordingPath, why);
  std::printf("Exported %s to %s (48 kHz, stereo, 24-bit)\n", recordingPath, wavPath);
  return EXIT_SUCCESS;
}

int RunMidiExportCommand(const char* recordingPath, const char* midiPath) {
  const ExportServices services;
  auto recording = std::make_unique<Recording>();
  if (const char* unreadable = LoadRecording(recordingPath, recording.get())) return Fail(recordingPath, unreadable);
  const std::string why = ExportRecordingMidi(*recording, MidiNoteTable::FromSettings(), midiPath);
  if (!why.empty()) return Fail(recordingPath, why);
  std::printf("Exported %s to %s (a Standard MIDI File, %d BPM)\n", recordingPath, midiPath, kRecordingMidiBpm);
  return EXIT_SUCCESS;
}
