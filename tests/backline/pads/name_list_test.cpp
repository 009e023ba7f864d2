#include "backline/pads/name_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

using NameListTest = test::TempDirTest;

TEST_F(NameListTest, ListsMatchingNamesInOrderAndEndsWithAnEmptyName) {
  std::filesystem::create_directories("Presets");
  for (const char* name : {"rock.preset", "Jazz.PRESET", "notes.txt", "ambient.preset"})
    test::WriteFile(std::string("Presets/") + name, "x");
  NameList list;
  EnumeratePresetFiles(&list);
  ASSERT_EQ(list.count, 3);
  EXPECT_STREQ(NthName(list, 0), "ambient.preset");
  EXPECT_STREQ(NthName(list, 1), "Jazz.PRESET");
  EXPECT_STREQ(NthName(list, 2), "rock.preset");
  EXPECT_EQ(NthName(list, 3), nullptr);
  EXPECT_EQ(NthName(list, -1), nullptr);
  EXPECT_EQ(std::string(list.block.get(), 40), std::string("ambient.preset\0Jazz.PRESET\0rock.preset\0\0", 40));

  EnumerateFiles(&list, "recordings", "plr");  // a folder that does not exist
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(NthName(list, 0), nullptr);
  EXPECT_EQ(NthName(NameList(), 0), nullptr);
}

TEST_F(NameListTest, StopsAt512NamesOrWhenTheBlockIsFull) {
  std::filesystem::create_directories("many");
  for (int i = 0; i < 600; ++i) test::WriteFile("many/" + std::to_string(1000 + i) + ".plr", "");
  NameList list;
  EnumerateFiles(&list, "many", "plr");
  EXPECT_EQ(list.count, 512);
  EXPECT_STREQ(NthName(list, 511), "1511.plr");

  // 200 names of 199 bytes with their NUL: 164 fill 32,636 bytes, a 165th would leave no room for the end.
  std::filesystem::create_directories("long");
  for (int i = 0; i < 200; ++i)
    test::WriteFile("long/" + std::to_string(1000 + i) + std::string(190, 'x') + ".plr", "");
  EnumerateFiles(&list, "long", "plr");
  EXPECT_EQ(list.count, 164);
  EXPECT_NE(NthName(list, 163), nullptr);
  EXPECT_EQ(NthName(list, 164), nullptr);
}

}  // namespace
