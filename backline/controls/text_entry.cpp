#include "backline/controls/text_entry.h"

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

// The reverse of kAsciiToScanCode: key code to the character it types, 0 for none.
constexpr std::array<char, 256> BuildScanCodeToAscii(const std::array<unsigned char, 256>& asciiToScanCode) {
  std::array<char, 256> table = {};
  for (int character = 1; character < 128; ++character) {
    const unsigned char key = asciiToScanCode[static_cast<size_t>(character)];
    if (key != 0) table[key] = static_cast<char>(character);
  }
  return table;
}

constexpr std::array<unsigned char, 256> kAsciiTable = BuildAsciiToScanCode();
constexpr std::array<char, 256> kScanCodeToAscii = BuildScanCodeToAscii(kAsciiTable);

void Append(TextEntry* entry, char character) {
  if (entry->length >= TextEntry::kMaxLength) return;
  entry->text[entry->length++] = character;
  entry->text[entry->length] = '\0';
}

}  // namespace

const std::array<unsigned char, 256> kAsciiToScanCode = kAsciiTable;

void ClearTextEntry(TextEntry* entry) {
  std::memset(entry->text, 0, sizeof entry->text);
  entry->length = 0;
}

void PollTextEntryKeys(TextEntry* entry, const Input* input) {
  if (!input) return;
  int count = 0;
  const Basalt::InputEvent* presses = input->GetFramePresses(&count);
  for (int i = 0; i < count; ++i) {
    if (presses[i].type != Basalt::InputEvent::KeyDown) continue;
    if (presses[i].code == Basalt::DIK_BACK) {
      if (entry->length > 0) entry->text[--entry->length] = '\0';
    } else if (const char character = kScanCodeToAscii[presses[i].code]) {
      Append(entry, character);
    }
  }
}

void LimitTextEntry(TextEntry* entry, int maxLength) {
  if (entry->length <= maxLength) return;
  entry->length = maxLength;
  entry->text[maxLength] = '\0';
}
