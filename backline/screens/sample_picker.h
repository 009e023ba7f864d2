#pragma once
// The sample picker of Assign Mode: shows one sample name of a category at a
// time. Up and Down (or the yellow and blue pads) step through the category,
// wrapping at both ends; typing the start of a name jumps to the first sample
// it begins (the typed text fades out and starts afresh after 1.5 s, red
// while nothing matches). Every step assigns the sample and plays it on the
// pad at once; Enter accepts, Escape closes and keeps what was stepped to.
#include "backline/pads/sample_bank.h"

class GameApp;

constexpr int kPickerBrowsing = -1;
constexpr int kPickerCancelled = -2;

// One frame of the picker for the primary or secondary sample (which) of
// padSlot within category, reading the previous frame's menu keys and the
// characters typed into app.textEntry. kPickerBrowsing while it stays open,
// kPickerCancelled when Escape or the red pad closed it, else the accepted
// sample index.
int RunSamplePicker(GameApp& app, int padSlot, int which, int category);

// The first position in category whose name begins with search (ASCII case
// ignored; a name shorter than search matches when all its characters agree),
// or -1 when none does.
int FindSampleByPrefix(const SampleBank& bank, int category, const char* search);
