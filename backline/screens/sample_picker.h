#pragma once
// The sample picker of Assign Mode: shows one sample name of a category at a
// time on the sample panel. Up and Down (or the yellow and blue pads) step
// through the category, wrapping at both ends; typing the start of a name
// jumps to the first sample it begins (the typed text fades out and starts
// afresh after 1.5 s, red while nothing matches). Every step assigns the
// sample and plays it on the pad at once; Enter accepts, Escape closes and
// keeps what was stepped to. Owned by the Assign Mode screen; main thread.
#include <cstdint>

#include "backline/controls/text_entry.h"
#include "backline/pads/instrument.h"
#include "backline/pads/sample_bank.h"
#include "backline/screens/assign_buttons.h"
#include "backline/screens/screen.h"

class ProgramGui;

constexpr int kPickerBrowsing = -1;
constexpr int kPickerCancelled = -2;

// What the picker remembers between frames.
struct PickerState {
  static constexpr int kSearchCapacity = 45;
  static constexpr uint32_t kSearchTimeoutMs = 1500;
  int cursor = 0;  // position of the shown sample in its category
  char search[kSearchCapacity + 1] = {};
  int searchLength = 0;
  uint32_t lastKeyTime = 0;  // GetTimeMs of the last typed character
  bool clockStarted = false;
  bool matched = true;  // whether this frame's search found a sample
};

// The pad sample the picker chooses: the primary or secondary (which) of padSlot, within category.
struct PickedSample {
  int padSlot;
  int which;
  int category;
};

class SamplePicker {
 public:
  // Every reference outlives the picker.
  SamplePicker(ProgramGui& gui, Instrument& instrument, const SampleBank& bank, TextEntry& textEntry,
               AssignButtons& buttons)
      : m_gui(gui), m_instrument(instrument), m_bank(bank), m_textEntry(textEntry), m_buttons(buttons) {}

  // One frame of the picker, reading the characters typed into the text
  // entry. kPickerBrowsing while it stays open, kPickerCancelled when
  // Escape or the red pad closed it, else the accepted sample index.
  int Run(const ScreenFrame& frame, const PickedSample& picked);

  const PickerState& State() const { return m_state; }

 private:
  unsigned ShowSampleName(const char* name);
  void TakeTypedCharacter(uint32_t now);
  void StepTo(const PickedSample& picked, int position);
  void Search(const PickedSample& picked);
  void DrawSearch(unsigned centre, uint32_t now);
  int Close(int result);

  ProgramGui& m_gui;
  Instrument& m_instrument;
  const SampleBank& m_bank;
  TextEntry& m_textEntry;
  AssignButtons& m_buttons;
  PickerState m_state;
};

// The first position in category whose name begins with search (ASCII case
// ignored; a name shorter than search matches when all its characters agree),
// or -1 when none does.
int FindSampleByPrefix(const SampleBank& bank, int category, const char* search);
