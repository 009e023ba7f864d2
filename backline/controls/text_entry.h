#pragma once
// The typed-name buffer of the name entries and the sample picker's search:
// while active, each frame's key presses (Input::GetFramePresses) are
// typed in the order they happened. Only space, the
// digits and the capital letters have keys, so nothing else is ever typed.
// Main thread.
#include <array>

#include "basalt/input/input.h"

struct TextEntry {
  static constexpr int kCapacity = 256;
  static constexpr int kMaxLength = kCapacity - 1;
  static constexpr int kMaxNameLength = 32;  // the name entries cut what is typed here

  char text[kCapacity] = {};
  int length = 0;
  bool active = false;
};

// Character code to DirectInput key code, 0 for characters no key types.
extern const std::array<unsigned char, 256> kAsciiToScanCode;

// Empties the text (every character NUL, length 0); the active flag is the caller's.
void ClearTextEntry(TextEntry* entry);

// Types the frame's key presses in order: each appends its character, and
// Backspace removes the last one. Full at 255 characters (Backspace still
// works). input null: nothing is typed.
void PollTextEntryKeys(TextEntry* entry, const Input* input);

// Cuts the text to maxLength characters (the name entries keep 32).
void LimitTextEntry(TextEntry* entry, int maxLength);
