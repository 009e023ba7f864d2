#include "backline/controls/text_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/virtual_input.h"

namespace {

class TextEntryTest : public test::VirtualInputTest {
 protected:
  void Type(std::initializer_list<SDL_Scancode> keys) {
    for (SDL_Scancode key : keys) PushKey(key, true);
    Poll();
    for (SDL_Scancode key : keys) PushKey(key, false);
    Poll();
  }
  void Poll() {
    Frame();
    PollTextEntryKeys(&m_entry, &m_input);
  }
  TextEntry m_entry;
};

TEST_F(TextEntryTest, EachPressTypesOneCharacterInTheOrderPressedAndBackspaceRemoves) {
  Start();
  Type({SDL_SCANCODE_Y, SDL_SCANCODE_M});
  Type({SDL_SCANCODE_SPACE});
  PushKey(SDL_SCANCODE_S, true);
  Poll();
  Poll();  // held: still one S
  PushKey(SDL_SCANCODE_S, false);
  Type({SDL_SCANCODE_2, SDL_SCANCODE_COMMA});
  EXPECT_STREQ(m_entry.text, "YM S2");
  Type({SDL_SCANCODE_BACKSPACE});
  EXPECT_STREQ(m_entry.text, "YM S");
  EXPECT_EQ(m_entry.length, 4);
  // Typed faster than the frames: pressed, released and pressed again, then
  // one removed and another typed, all before the next frame.
  for (bool down : {true, false, true}) PushKey(SDL_SCANCODE_A, down);
  for (SDL_Scancode key : {SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_B}) PushKey(key, true);
  Poll();
  EXPECT_STREQ(m_entry.text, "YM SAB");
}

TEST_F(TextEntryTest, FullAt255AndNamesAreCutTo32) {
  Start();
  for (int i = 0; i < 300; ++i) Type({SDL_SCANCODE_A});
  EXPECT_EQ(m_entry.length, 255);
  EXPECT_EQ(std::string(m_entry.text), std::string(255, 'A'));
  Type({SDL_SCANCODE_BACKSPACE});
  EXPECT_EQ(m_entry.length, 254);
  Type({SDL_SCANCODE_B, SDL_SCANCODE_C});
  EXPECT_EQ(std::string(m_entry.text), std::string(254, 'A') + "B");
  LimitTextEntry(&m_entry, TextEntry::kMaxNameLength);
  EXPECT_EQ(std::string(m_entry.text), std::string(32, 'A'));
  ClearTextEntry(&m_entry);
  EXPECT_EQ(m_entry.length, 0);
  EXPECT_STREQ(m_entry.text, "");
}

}  // namespace
