#include "backline/recording/recorder.h"

#include <cstring>
#include <new>

#include "basalt/core/log.h"

namespace {

bool ReserveTracks(Recorder* recorder) {
  try {
    for (std::vector<int32_t>& track : recorder->liveTrack) {
      track.clear();
      track.reserve(kPlrTrackCapacity);
    }
    return true;
  } catch (const std::bad_alloc&) {
    DropRecording(recorder);
    if (Basalt::g_pSystemLog) Basalt::g_pSystemLog->Send("Recorder: no memory for the tracks, not recording");
    return false;
  }
}

void Start(Recorder* recorder, uint32_t now) {
  if (!ReserveTracks(recorder)) return;
  recorder->startTime = now;
  recorder->length = 0;
  recorder->started = true;
}

bool RawButtonDown(const CInput* input, int kit, int button) { return input->GetJoyButton(kit, button) != 0.0f; }

void CopyPath(char* field, const SampleBank& bank, int sampleIndex) {
  std::memset(field, 0, kPlrPathField);
  if (IsBankSample(bank, sampleIndex)) std::strncpy(field, bank.paths[sampleIndex], kPlrPathField - 1);
}

void FreeTrack(std::vector<int32_t>* track) { std::vector<int32_t>().swap(*track); }

}  // namespace

void RecordPadHits(Recorder* recorder, HitState* hits, const RecordPlay& play, const CInput* input, uint32_t now,
                   FrameStrikes* out) {
  out->count = 0;
  if (!input) return;
  const int numJoys = input->GetNumJoys();
  for (int kit = 0; kit < kKits && kit < numJoys; ++kit)
    for (int button = 0; button < kPadButtons; ++button) {
      const int padSlot = PadSlotOfButton(*play.map, kit, button);
      const bool down = RawButtonDown(input, kit, button);
      if (!recorder->started && down) Start(recorder, now);
      bool strike = false, secondary = false;
      if (play.assignment->function[PadSlotOf(kit, button)] == EnableSecondaries) {
        if (*play.secondariesHeld == down) continue;
        *play.secondariesHeld = down;
        RecordEvent(recorder, padSlot, now);
        strike = down;
      } else if (DetectPadHit(hits, input, kit, button)) {
        secondary = ChooseSecondary(*play.assignment, padSlot, *play.secondariesHeld);
        RecordEvent(recorder, padSlot, now);
        strike = true;
      }
      if (!strike) continue;
      PadHit(*play.map, kit, button, secondary, *play.volumes);
      out->strikes[out->count++] = PadStrike{kit, button, padSlot, secondary};
    }
}

void RecordEvent(Recorder* recorder, int padSlot, uint32_t now) {
  std::vector<int32_t>& track = recorder->liveTrack[padSlot];
  if (!recorder->started || track.size() >= kPlrTrackCapacity) return;
  const int32_t time = static_cast<int32_t>(now - recorder->startTime);
  track.push_back(time);
  recorder->length = time;
}

void TakeRecording(Recorder* recorder, const RecordingSetup& setup, plrInfo* out) {
  out->version = 3;
  out->kitCount = static_cast<int32_t>(setup.kitCount);
  out->length = recorder->length;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) {
    PlrPadRecord& pad = out->pads[slot];
    CopyPath(pad.primary, *setup.bank, setup.assignment->primary[slot]);
    CopyPath(pad.secondary, *setup.bank, setup.assignment->secondary[slot]);
    pad.enablesSecondaries = setup.assignment->function[slot] > 0;
    out->tracks[slot] = std::move(recorder->liveTrack[slot]);
    recorder->liveTrack[slot] = {};
  }
  for (int k = 0; k < kStoredVolumes; ++k) out->volumes[k] = setup.volumes->volume[StoredVolumeSlot(k)];
  recorder->started = false;
}

void DropRecording(Recorder* recorder) {
  for (std::vector<int32_t>& track : recorder->liveTrack) FreeTrack(&track);
  recorder->started = false;
}

void ReleaseTracks(plrInfo* recording) {
  for (std::vector<int32_t>& track : recording->tracks) FreeTrack(&track);
}

TimerText SplitTime(uint32_t ms) {
  const int seconds = static_cast<int>(ms / 1000);
  return {seconds / 60, seconds % 60, static_cast<int>(ms / 100 % 10)};
}
