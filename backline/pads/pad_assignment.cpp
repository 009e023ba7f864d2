#include "backline/pads/pad_assignment.h"

#include <cassert>
#include <cstring>

#include "backline/sound/sound_backend.h"
#include "basalt/foundation/log.h"

PadAssignment::PadAssignment() {
  for (int slot = 0; slot < kPadSlots; ++slot) {
    primary[slot] = kNoSample;
    secondary[slot] = kNoSample;
    function[slot] = NormalFunction;
  }
  std::memset(path, 0, sizeof path);
}

namespace {

constexpr const char* kSampleNames[2] = {"primary", "secondary"};

int* SampleField(PadAssignment* assignment, int padSlot, int which) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  assert(which == PrimarySample || which == SecondarySample);
  return which == PrimarySample ? &assignment->primary[padSlot] : &assignment->secondary[padSlot];
}

int SampleOf(const PadAssignment& assignment, int padSlot, int which) {
  return which == PrimarySample ? assignment.primary[padSlot] : assignment.secondary[padSlot];
}

bool NamesSomething(const char* field) { return std::memchr(field, '\0', SampleBank::kFieldSize) && field[0] != '\0'; }

// The index inside category nearest to what the picker asked for, wrapping
// at both ends.
int WrapIntoCategory(const SampleBank& bank, int category, int sampleIndex) {
  const int first = category * SampleBank::kPerCategory;
  const int last = first + bank.count[category] - 1;
  if (sampleIndex > last) return first;
  if (sampleIndex < first) return last;
  return sampleIndex;
}

// Brings the sound slot from sample before to sample after: loads after, or
// silences the slot when after is none and before was a sample.
void ChangeSound(const SampleBank& bank, int soundSlot, int before, int after) {
  if (IsBankSample(bank, after))
    g_soundBackend.LoadSample(soundSlot, bank.paths[after]);
  else if (IsBankSample(bank, before))
    g_soundBackend.StopSample(soundSlot);
}

}  // namespace

bool PadEnablesSecondaries(const PadAssignment& assignment, int padSlot) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  return assignment.function[padSlot] == EnableSecondaries;
}

const char* PadSamplePath(const PadAssignment& assignment, int padSlot, int which) {
  const char* field = assignment.path[padSlot][which];
  return NamesSomething(field) ? field : "";
}

bool PadSampleMissing(const PadAssignment& assignment, int padSlot, int which) {
  return SampleOf(assignment, padSlot, which) == kNoSample && *PadSamplePath(assignment, padSlot, which) != '\0';
}

void AssignPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int sampleIndex) {
  if (!IsBankSample(bank, sampleIndex)) sampleIndex = kNoSample;  // a stale index from a damaged file
  int* sample = SampleField(assignment, padSlot, which);
  const int before = *sample;
  *sample = sampleIndex;
  char* field = assignment->path[padSlot][which];
  std::memset(field, 0, SampleBank::kFieldSize);
  if (sampleIndex != kNoSample) std::memcpy(field, bank.paths[sampleIndex], std::strlen(bank.paths[sampleIndex]));
  ChangeSound(bank, SoundSlotOf(padSlot, which), before, sampleIndex);
}

void SetStoredPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, const char* field) {
  char* kept = assignment->path[padSlot][which];
  std::memcpy(kept, field, SampleBank::kFieldSize);
  *SampleField(assignment, padSlot, which) = NamesSomething(kept) ? FindSampleByPath(bank, kept) : kNoSample;
}

void RestorePadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, const char* field) {
  const int before = SampleOf(*assignment, padSlot, which);
  SetStoredPadSample(assignment, bank, padSlot, which, field);
  ChangeSound(bank, SoundSlotOf(padSlot, which), before, SampleOf(*assignment, padSlot, which));
}

void StepPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int category,
                   int sampleIndex) {
  assert(category >= 0 && category < kSampleCategories && bank.count[category] > 0);
  g_soundBackend.StopSample(SoundSlotOf(padSlot, which));
  AssignPadSample(assignment, bank, padSlot, which, WrapIntoCategory(bank, category, sampleIndex));
}

void SwitchPadSounds(const PadAssignment& from, const PadAssignment& to, const SampleBank& bank) {
  for (int slot = 0; slot < kPadSlots; ++slot)
    for (int which = PrimarySample; which <= SecondarySample; ++which) {
      const int before = SampleOf(from, slot, which), after = SampleOf(to, slot, which);
      if (before != after) ChangeSound(bank, SoundSlotOf(slot, which), before, after);
    }
}

void LogMissingSamples(const PadAssignment& assignment, const char* source) {
  for (int slot = 0; slot < kPadSlots; ++slot)
    for (int which = PrimarySample; which <= SecondarySample; ++which)
      if (PadSampleMissing(assignment, slot, which))
        Basalt::LogMessage(
            "%s: the %s sample of pad slot %d, \"%s\", is not in the sample bank: the pad is silent and keeps the path",
            source, kSampleNames[which], slot, PadSamplePath(assignment, slot, which));
}
