#include "backline/pads/pad_hits.h"

#include <cassert>

#include "backline/pads/velocity_curve.h"
#include "backline/sound/sound_backend.h"

namespace {

uint32_t g_mainPitchSeed = 1;  // the main thread's pitch spread

}  // namespace

bool ChooseSecondary(const PadAssignment& assignment, int padSlot, bool secondariesHeld) {
  return secondariesHeld && assignment.secondary[padSlot] >= 0;
}

int StrikePadSlot(int padSlot, bool secondary, const PadSounds& sounds, Basalt::TimeNs time, float velocity) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  const int soundSlot = SoundSlotOf(padSlot, secondary ? SecondarySample : PrimarySample);
  const int playedSlot = sounds.layers.SoundSlotFor(sounds.sounding, soundSlot, velocity);
  const float level = sounds.volumes.volume[soundSlot] * VelocityLevel(velocity);
  g_soundBackend.PlayNote(NoteSource::Main, Note{playedSlot, level, PickPitch(&g_mainPitchSeed), time, velocity});
  return padSlot;
}
