#pragma once
// What each pad slot plays: a primary sample, optionally a secondary one,
// and a function (only the bass pedals' is acted on). Assigning a sample
// loads it into the pad slot's sound slot through g_soundBackend, so the hit
// path only ever plays slots.
#include "backline/pads/pad_slots.h"
#include "backline/pads/sample_bank.h"

enum PadFunction { NormalFunction = 0, EnableSecondaries = 1 };

struct PadAssignment {
  int primary[kPadSlots];    // sample index or -1
  int secondary[kPadSlots];  // sample index or -1 (no secondary)
  int function[kPadSlots];   // PadFunction

  PadAssignment();  // every pad slot unassigned and normal
};

// Stores sampleIndex (a bank sample; anything else counts as -1) as the pad slot's primary or
// secondary sample (which) and, unless it is -1, loads it into the sound slot.
// Nothing is unloaded for -1: the slot keeps what it last held.
void AssignPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int sampleIndex);

// The sample picker's step: releases the sound slot, keeps sampleIndex inside
// category (one past the last wraps to the first, anything before the first,
// -1 included, wraps to the last) and loads the result.
void StepPadSample(PadAssignment* assignment, const SampleBank& bank, int padSlot, int which, int category,
                   int sampleIndex);
