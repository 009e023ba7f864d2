#include "backline/app/text_entry.h"

#include <cstring>

#include "basalt/input/key_codes.h"

namespace {

constexpr std::array<unsigned char, 256> BuildAsciiToScanCode() {
  std::array<unsigned char, 256> table = {};
  table[' '] = Basalt::DIK_SPACE;
  table['0'] = Basalt::DIK_0;
  for (int digit = 1; digit <= 9; ++digit) table['0' + digit] = static_cast<unsigned char>(Basalt::DIK_1 + digit - 1);
  constexpr unsigned char kLetters[26] = {
      Basalt::DIK_A, Basalt::DIK_B, Basalt::DIK_C, Basalt::DIK_D, Basalt::DIK_E, Basalt::DIK_F, Basalt::DIK_G,
      Basalt::DIK_H, Basalt::DIK_I, Basalt::DIK_J, Basalt::DIK_K, Basalt::DIK_L, Basalt::DIK_M, Basalt::DIK_N,
      Basalt::DIK_O, Basalt::DIK_P, Basalt::DIK_Q, Basalt::DIK_R, Basalt::DIK_S, Basalt::DIK_T, Basalt::DIK_U,
      Basalt::DIK_V, Basalt::DIK_W, Basalt::DIK_X, Basalt::DIK_Y, Basalt::DIK_Z};
  for (int letter = 0; letter < 26; ++letter) table['A' + letter] = kLetters[letter];
  return table;
}

// Whether key went down since the previous poll; remembers it for the next.
bool Pressed(const CInput& input, int key, bool* wasDown) {
  const bool down = input.GetKeyState(key);
  const bool pressed = down && !*wasDown;
  *wasDown = down;
  return pressed;
}

void Append(TextEntry* entry, char character) {
  if (entry->length >= TextEntry::kMaxLength) return;
  entry->text[entry->length++] = character;
  entry->text[entry->length] = '\0';
}

}  // namespace

const std::array<unsigned char, 256> kAsciiToScanCode = BuildAsciiToScanCode();

void ClearTextEntry(TextEntry* entry) {
  std::memset(entry->text, 0, sizeof entry->text);
  entry->length = 0;
}

void PollTextEntryKeys(TextEntry* entry, const CInput* input) {
  if (!input || entry->length >= TextEntry::kMaxLength) return;
  if (Pressed(*input, Basalt::DIK_BACK, &entry->backWasDown) && entry->length > 0) entry->text[--entry->length] = '\0';
  for (int character = 10; character < 128; ++character) {
    const unsigned char key = kAsciiToScanCode[static_cast<size_t>(character)];
    if (key != 0 && Pressed(*input, key, &entry->wasDown[character])) Append(entry, static_cast<char>(character));
  }
}

void LimitTextEntry(TextEntry* entry, int maxLength) {
  if (entry->length <= maxLength) return;
  entry->length = maxLength;
  entry->text[maxLength] = '\0';
}
