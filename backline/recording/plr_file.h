#pragma once
// The recording file (".plr" in "recordings"): a 3943-byte header (magic
// "PLR03", kit count, ten pad records, length), ten tracks of event times
// in milliseconds, and from version 3 on the twenty pad volumes. Integers and
// floats are little-endian with no padding anywhere. The strength of each
// event, which the format has no room for, goes to a side file beside it
// (plrv_file.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kPlrPathField = 196;
constexpr size_t kPlrPadRecordSize = 393;
constexpr size_t kPlrHeaderSize = 3943;
constexpr int kPlrPadSlots = 10;
constexpr int kPlrVolumes = 20;
// Room the recorder keeps in each track: no allocation while recording.
constexpr size_t kPlrTrackCapacity = 1048576;
// The folder of the recordings, in the game directory.
constexpr char kRecordingsDirectory[] = "recordings";

// What a recording held about one pad slot when it was made.
struct PlrPadRecord {
  char primary[kPlrPathField];    // SampleBank path, empty for none
  char secondary[kPlrPathField];  // empty for none
  bool enablesSecondaries;        // its events are pedal presses and releases, alternately
};

// One performance in memory: between the recorder, the dialogs and the player.
struct Recording {
  int version = 3;
  int32_t kitCount = 1;
  PlrPadRecord pads[kPlrPadSlots] = {};
  int32_t length = 0;  // ms of the last event
  std::vector<int32_t> tracks[kPlrPadSlots];
  // Volumes in file order: sound slots 0..9, then 5..14 (entry k belongs to
  // sound slot (k / 10) * 5 + k % 10).
  float volumes[kPlrVolumes] = {};
  // Each event's strength, 0..1, track by track in the tracks' order (from
  // the side file or the recorder); every one empty when the recording has
  // none, and then every event plays at full strength.
  std::vector<float> velocities[kPlrPadSlots];

  bool HasEvents() const;
  bool HasVelocities() const;
  // The strength of event index of track slot: 1 without velocities.
  float EventVelocity(int slot, size_t index) const;
  // Empties every track and its velocities, keeping their room.
  void ClearTracks();
};

// The file bytes of a recording (always version 3).
std::vector<uint8_t> EncodeRecording(const Recording& recording);

// Parses a whole file image into out; false, with out unchanged, for a
// version other than 2 or 3, a header cut short, or counts that are negative,
// above kPlrTrackCapacity or run past the end. Version 2 files get every
// volume 1.0. Bytes past the recording are ignored.
bool DecodeRecording(const uint8_t* image, size_t size, Recording* out);

// Writes the recording to path (creating its folder) with
// Basalt::WriteFileAtomically, then its velocities, when it has them, to the
// side file beside it (SaveVelocityFile). False only when the recording
// itself could not be written; a side file that could not is a log line. The
// recording is kept: the caller drops it once the save succeeded, so a failed
// save loses nothing.
bool SaveRecording(const char* path, const Recording& recording);

// Reads and decodes the file at path (main thread). Before reading the
// events it checks the size its header and event counts imply against the
// file's, so a file of any size is refused at once when they differ. False,
// with out unchanged, when the path is null or when the file cannot be read,
// is no recording, or is damaged, cut short or longer than its recording:
// then (but for a null path) a log line says 'recording "<path>": <why>' and
// *why, when given, is that reason (a static text). A loaded recording takes
// its velocities from the side file beside it when that one is whole and
// belongs to it (LoadVelocityFile), else it has none. Never throws.
bool LoadRecordingFile(const char* path, Recording* out, const char** why = nullptr);
