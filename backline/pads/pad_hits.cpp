#include "backline/pads/pad_hits.h"

#include <cassert>

#include "backline/sound/sound_backend.h"

namespace {

uint32_t g_mainPitchSeed = 1;  // the main thread's pitch spread

}  // namespace

bool ChooseSecondary(const PadAssignment& assignment, int padSlot, bool secondariesHeld) {
  return secondariesHeld && assignment.secondary[padSlot] >= 0;
}

int StrikePadSlot(int padSlot, bool secondary, const PadSounds& sounds, Basalt::TimeNs time) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  const int soundSlot = SoundSlotOf(padSlot, secondary ? SecondarySample : PrimarySample);
  const int playedSlot = sounds.layers.SoundSlotFor(sounds.sounding, soundSlot, kFullVelocity);
  g_soundBackend.PlayNote(NoteSource::Main,
                          Note{playedSlot, sounds.volumes.volume[soundSlot], PickPitch(&g_mainPitchSeed), time});
  return padSlot;
}
