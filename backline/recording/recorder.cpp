#include "backline/recording/recorder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "basalt/foundation/log.h"

namespace {

template <typename T>
void Reserve(std::vector<T>* track) {
  track->clear();
  track->reserve(kPlrTrackCapacity);
}

bool ReserveTracks(Recorder* recorder) {
  try {
    for (std::vector<int32_t>& track : recorder->liveTrack) Reserve(&track);
    for (std::vector<float>& track : recorder->liveVelocity) Reserve(&track);
    return true;
  } catch (const std::bad_alloc&) {
    DropRecording(recorder);
    Basalt::LogMessage("Recorder: no memory for the tracks, not recording");
    return false;
  }
}

void Start(Recorder* recorder, Basalt::TimeNs time) {
  if (!ReserveTracks(recorder)) return;
  recorder->startTime = time;
  recorder->length = 0;
  recorder->started = true;
}

void CopyPath(char* field, const SampleBank& bank, int sampleIndex) {
  std::memset(field, 0, kPlrPathField);
  if (IsBankSample(bank, sampleIndex)) std::strncpy(field, bank.paths[sampleIndex], kPlrPathField - 1);
}

template <typename T>
void FreeTrack(std::vector<T>* track) {
  std::vector<T>().swap(*track);
}

}  // namespace

void Recorder::OnStrike(const StrikeReport& strike) { RecordStrike(this, strike); }

void RecordStrike(Recorder* recorder, const StrikeReport& strike) {
  if (!recorder->started && strike.kind == StrikeReport::Strike) Start(recorder, strike.time);
  RecordEvent(recorder, strike.padSlot, strike.time, strike.velocity);
}

void RecordEvent(Recorder* recorder, int padSlot, Basalt::TimeNs time, float velocity) {
  std::vector<int32_t>& track = recorder->liveTrack[padSlot];
  if (!recorder->started || track.size() >= kPlrTrackCapacity) return;
  const auto ms = static_cast<int32_t>((time - recorder->startTime) / Basalt::kNsPerMs);
  track.push_back(ms);
  recorder->liveVelocity[padSlot].push_back(velocity);
  recorder->length = std::max(recorder->length, ms);
}

void TakeRecording(Recorder* recorder, const RecordingSetup& setup, Recording* out) {
  out->version = 3;
  out->kitCount = static_cast<int32_t>(setup.kitCount);
  out->length = recorder->length;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    PlrPadRecord& pad = out->pads[slot];
    CopyPath(pad.primary, *setup.bank, setup.assignment->primary[slot]);
    CopyPath(pad.secondary, *setup.bank, setup.assignment->secondary[slot]);
    pad.enablesSecondaries = PadEnablesSecondaries(*setup.assignment, slot);
    out->tracks[slot] = std::move(recorder->liveTrack[slot]);
    out->velocities[slot] = std::move(recorder->liveVelocity[slot]);
    recorder->liveTrack[slot] = {};
    recorder->liveVelocity[slot] = {};
  }
  for (int k = 0; k < kStoredVolumes; ++k) out->volumes[k] = setup.volumes->volume[StoredVolumeSlot(k)];
  recorder->started = false;
}

void DropRecording(Recorder* recorder) {
  for (std::vector<int32_t>& track : recorder->liveTrack) FreeTrack(&track);
  for (std::vector<float>& track : recorder->liveVelocity) FreeTrack(&track);
  recorder->started = false;
}

void ReleaseTracks(Recording* recording) {
  for (std::vector<int32_t>& track : recording->tracks) FreeTrack(&track);
  for (std::vector<float>& track : recording->velocities) FreeTrack(&track);
}

TimerText SplitTime(uint32_t ms) {
  const int seconds = static_cast<int>(ms / 1000);
  return {seconds / 60, seconds % 60, static_cast<int>(ms / 100 % 10)};
}
