#include "backline/screens/list_dialog.h"

#include <gtest/gtest.h>

#include "backline/controls/menu_keys.h"
#include "backline/screens/name_entry.h"

namespace {

void Press(ListDialogState* state, int count, MenuKey key) {
  bool events[kMenuKeyCount] = {};
  events[key] = true;
  MoveListSelection(state, count, events);
}

// Paging and scrolling through 25 names run end to end in the preset dialogs' tests.
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

TEST(ListDialogTest, UpOnTheFirstShownLineScrollsBackOneName) {
  ListDialogState state = {2, 0};
  Press(&state, 12, MenuUp);
  EXPECT_EQ(state.scroll, 1);
  EXPECT_EQ(state.row, 0);
}

TEST(MakeContentPathTest, LowersLettersKeepsSpacesAndReplacesEverythingElse) {
  EXPECT_EQ(MakeContentPath("recordings", "A.b/c-9", "plr"), "recordings\\a_b_c_9.plr");
}

}  // namespace
