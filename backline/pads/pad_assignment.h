#pragma once
// What each pad slot plays: a primary sample, optionally a secondary one,
// and a function (only the bass pedals' is acted on). Assigning a sample
// loads it into the pad slot's sound slot through g_soundBackend, so the hit
// path only ever plays slots.
//
// Each sample keeps the path field it is known by, byte for byte as a preset
// stored it (or the bank path of a sample chosen here): a path the bank does
// not hold stays with its pad, silent and shown as missing, and is saved
// unchanged until something else is assigned to that pad.
#include "backline/common/pad_slots.h"
#include "backline/pads/sample_bank.h"

// Only EnableSecondaries (1) makes a pad a modifier; every other stored value
// plays, shows and records as NormalFunction and is kept as it was stored.
enum PadFunction { NormalFunction = 0, EnableSecondaries = 1 };

struct PadAssignment {
  int primary[kPadSlots];    // sample index or -1
  int secondary[kPadSlots];  // sample index or -1 (no secondary)
  int function[kPadSlots];   // as stored; see PadFunction
  // The path field of each pad slot's primary and secondary sample
  // ([padSlot][which]); all zero for none. Set with the functions below.
  char path[kPadSlots][2][SampleBank::kFieldSize];

  PadAssignment();  // every pad slot unassigned and normal
};

// Whether the pad slot's function makes it a modifier pedal (the value 1).
bool PadEnablesSecondaries(const PadAssignment& assignment, int padSlot);

// The path the pad slot's primary or secondary sample names ("" for none, or
// for a field without its NUL, which names nothing).
const char* PadSamplePath(const PadAssignment& assignment, int padSlot, int which);

// Whether the sample names a path the bank does not hold (silent, kept).
bool PadSampleMissing(const PadAssignment& assignment, int padSlot, int which);

// Stores sampleIndex (a bank sample; anything else counts as -1) as the pad
// slot's primary or secondary sample (which), with its bank path, and loads it
// into the sound slot; -1 silences the slot at once if it held a sample.
void AssignPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int sampleIndex);

// Stores a preset's path field (SampleBank::kFieldSize bytes, kept as they
// are) as the pad slot's sample and loads the bank sample it names; a field
// the bank holds nothing for leaves the pad silent (and the slot silenced if
// it held a sample).
void RestorePadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, const char* field);

// The same without touching any sound slot: the assignment alone.
void SetStoredPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, const char* field);

// The sample picker's step: releases the sound slot, keeps sampleIndex inside
// category (one past the last wraps to the first, anything before the first,
// -1 included, wraps to the last) and loads the result.
void StepPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int category,
                   int sampleIndex);

// Makes the sound slots play to instead of from: loads every sample that
// differs, silences a slot whose sample to does not have. Main thread.
void SwitchPadSounds(const PadAssignment& from, const PadAssignment& to, const SampleBank& bank);

// One log line for each sample whose path the bank does not hold, naming
// source (a preset's or a recording's file), the pad slot and the path.
void LogMissingSamples(const PadAssignment& assignment, const char* source);
