#include "backline/pads/pad_assignment.h"

#include <cassert>

#include "backline/sound/sound_backend.h"

PadAssignment::PadAssignment() {
  for (int slot = 0; slot < kPadSlots; ++slot) {
    primary[slot] = kNoSample;
    secondary[slot] = kNoSample;
    function[slot] = NormalFunction;
  }
}

namespace {

int* SampleField(PadAssignment* assignment, int padSlot, int which) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  assert(which == PrimarySample || which == SecondarySample);
  return which == PrimarySample ? &assignment->primary[padSlot] : &assignment->secondary[padSlot];
}

// The index inside category nearest to what the picker asked for, wrapping
// at both ends.
int WrapIntoCategory(const SampleBank& bank, int category, int sampleIndex) {
  const int first = category * SampleBank::kPerCategory;
  const int last = first + bank.count[category] - 1;
  if (sampleIndex > last) return first;
  if (sampleIndex < first) return last;
  return sampleIndex;
}

}  // namespace

void AssignPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int sampleIndex) {
  if (!IsBankSample(bank, sampleIndex)) sampleIndex = kNoSample;  // a stale index from a damaged file
  *SampleField(assignment, padSlot, which) = sampleIndex;
  if (sampleIndex != kNoSample) g_soundBackend.LoadSample(SoundSlotOf(padSlot, which), bank.paths[sampleIndex]);
}

void StepPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int category,
                   int sampleIndex) {
  assert(category >= 0 && category < kSampleCategories && bank.count[category] > 0);
  const int soundSlot = SoundSlotOf(padSlot, which);
  g_soundBackend.StopSample(soundSlot);
  const int stored = WrapIntoCategory(bank, category, sampleIndex);
  *SampleField(assignment, padSlot, which) = stored;
  g_soundBackend.LoadSample(soundSlot, bank.paths[stored]);
}
