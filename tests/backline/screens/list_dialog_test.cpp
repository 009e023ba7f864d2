#include "backline/screens/list_dialog.h"

#include <gtest/gtest.h>

#include "backline/app/menu_keys.h"
#include "backline/screens/name_entry.h"

namespace {

void Press(ListDialogState* state, int count, MenuKey key) {
  bool events[kMenuKeyCount] = {};
  events[key] = true;
  MoveListSelection(state, count, events);
}

TEST(ListDialogTest, PagingStopsAtTheLastFullPageAndPagingUpReturnsToTheTop) {
  ListDialogState state;
  Press(&state, 25, MenuPageDown);
  EXPECT_EQ(state.scroll, 10);  // names 10 to 19
  Press(&state, 25, MenuPageDown);
  EXPECT_EQ(state.scroll, 15);  // names 15 to 24
  Press(&state, 25, MenuPageDown);
  EXPECT_EQ(state.scroll, 15);
  Press(&state, 25, MenuPageUp);
  Press(&state, 25, MenuPageUp);
  EXPECT_EQ(state.scroll, 0);
}

TEST(ListDialogTest, DownScrollsAtTheLastLineButNeverPastTheLastName) {
  ListDialogState state;
  for (int i = 0; i < 30; ++i) Press(&state, 12, MenuDown);
  EXPECT_EQ(state.scroll, 2);
  EXPECT_EQ(state.row, 9);  // the last name, 11
  for (int i = 0; i < 10; ++i) Press(&state, 12, MenuUp);
  EXPECT_EQ(state.scroll, 1);
  EXPECT_EQ(state.row, 0);
}

TEST(ListDialogTest, AShortListNeitherScrollsNorHighlightsPastItsEnd) {
  ListDialogState state;
  for (int i = 0; i < 5; ++i) Press(&state, 3, MenuDown);
  Press(&state, 3, MenuPageDown);
  EXPECT_EQ(state.scroll, 0);
  EXPECT_EQ(state.row, 2);
  ListDialogState kept = {8, 9};  // left over from a longer list
  Press(&kept, 3, MenuUp);
  EXPECT_EQ(kept.scroll, 0);
  EXPECT_EQ(kept.row, 2);
}

TEST(MakeContentPathTest, LowersLettersKeepsSpacesAndReplacesEverythingElse) {
  EXPECT_EQ(MakeContentPath("presets", "MY SONG", "preset"), "presets\\my song.preset");
  EXPECT_EQ(MakeContentPath("recordings", "A.b/c-9", "plr"), "recordings\\a_b_c_9.plr");
  EXPECT_EQ(MakeContentPath("presets", std::string(32, 'X').c_str(), "preset").size(), 47u);
}

}  // namespace
