#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "basalt/foundation/cvar.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/settings_text.h"

namespace {

// What a variable's declaration must say for the README and the default file.
TEST(SettingsRegistryTest, EveryVariableHasADescriptionAndADefaultItsRangeAccepts) {
  ASSERT_GT(Basalt::CVarSystem::Registered().size(), 50u);
  for (const Basalt::cvar* var : Basalt::CVarSystem::Registered()) {
    const std::string description = var->GetDescription();
    EXPECT_FALSE(description.empty()) << var->GetName();
    EXPECT_EQ(description.find_first_of("\r\n|"), std::string::npos) << var->GetName();
    EXPECT_TRUE(var->DefaultIsAccepted()) << var->GetName() << " = " << var->DefaultText();
    EXPECT_EQ(Basalt::CVarSystem::Find(var->GetName()), var) << var->GetName() << " is declared twice";
  }
}

TEST(SettingsRegistryTest, TheReadmeTableIsTheOneTheRegisteredSettingsPrint) {
  std::ifstream in(PADLARK_SOURCE_DIR "/README.md", std::ios::binary);
  std::ostringstream readme;
  readme << in.rdbuf();
  ASSERT_TRUE(in) << "cannot read README.md";
  const std::string expected = Basalt::SettingsMarkdownTable();
  std::string regenerated;
  ASSERT_TRUE(Basalt::ReplaceSettingsTable(readme.str(), expected, &regenerated))
      << "README.md has lost its settings table markers";
  EXPECT_TRUE(regenerated == readme.str())
      << "README.md's settings table differs from the declared settings; regenerate it with\n"
         "  cmake --build build --target settings_table && build/bin/settings_table --write README.md\n"
         "The table the settings print:\n"
      << expected;
}

TEST(SettingsRegistryTest, TheTableGoesBetweenItsMarkersAndNowhereElse) {
  const std::string document = std::string("intro\n") + Basalt::kSettingsTableBegin + "old\n" +
                               Basalt::kSettingsTableEnd + "outro\n";
  std::string result = "untouched";
  ASSERT_TRUE(Basalt::ReplaceSettingsTable(document, "new\n", &result));
  EXPECT_EQ(result, std::string("intro\n") + Basalt::kSettingsTableBegin + "new\n" + Basalt::kSettingsTableEnd +
                        "outro\n");
  result = "untouched";
  EXPECT_FALSE(Basalt::ReplaceSettingsTable("intro\n", "new\n", &result));
  EXPECT_FALSE(Basalt::ReplaceSettingsTable(std::string(Basalt::kSettingsTableEnd) + Basalt::kSettingsTableBegin,
                                            "new\n", &result));
  EXPECT_EQ(result, "untouched");
}

}  // namespace
