#include "basalt/foundation/cvar_system.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "basalt/foundation/cvar.h"
#include "tests/support/engine_fixture.h"

namespace {

int t_width;
int t_height;
bool t_full;
bool t_neighbour;
float t_gain;
unsigned t_mask;
char t_name[Basalt::cvar::kStringCapacity];
short t_short;
unsigned short t_ushort;
double t_double;
int t_first;
int t_second;
int t_delay;
int t_pad;

// A module's table, as the engine's and the program's are declared.
void RegisterTestSettings() {
  using Basalt::cvar;
  static const cvar kSettings[] = {
      {&t_width, "t_width", 800, "width"},
      {&t_height, "t_height", 600, "height"},
      {&t_full, "t_full", false, "full"},
      {&t_neighbour, "t_neighbour", false, "neighbour"},
      {&t_gain, "t_gain", 1.0f, "gain"},
      {&t_mask, "t_mask", 7u, "mask"},
      {t_name, "t_name", "default", "name"},
      {&t_short, "t_short", short{1}, "short"},
      {&t_ushort, "t_ushort", static_cast<unsigned short>(2), "unsigned short"},
      {&t_double, "t_double", 3.0, "double"},
      {&t_first, "t_dup", 0, "first"},
      {&t_second, "t_dup", 0, "second"},
      {&t_delay, "t_delay", 90, "delay", 0, INT_MAX},
      {&t_pad, "t_pad", 3, "pad", 0, 4},
  };
  Basalt::CVarSystem::Register(kSettings);
}

class CVarSystemTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterTestSettings();
    t_width = 800;
    t_height = 600;
    t_full = t_neighbour = false;
    t_gain = 1.0f;
    t_mask = 7;
    std::strcpy(t_name, "default");
    t_first = t_second = 0;
    t_delay = 90;
    t_pad = 3;
  }
  void Parse(const std::string& text) {
    EXPECT_TRUE(system.ParseFile(text.data(), static_cast<unsigned>(text.size()), "settings.cfg"));
  }
  Basalt::CVarSystem system;
};

TEST_F(CVarSystemTest, AssignsEveryAssignableType) {
  Parse("t_width = 1024\r\nt_gain = 0.25\r\nt_mask = -1\r\nt_name = kit_one\r\nt_full = 5\r\n");
  EXPECT_EQ(t_width, 1024);
  EXPECT_FLOAT_EQ(t_gain, 0.25f);
  EXPECT_EQ(t_mask, 0xFFFFFFFFu);
  EXPECT_STREQ(t_name, "kit_one");
  EXPECT_TRUE(t_full);
  EXPECT_FALSE(t_neighbour);
  EXPECT_EQ(LogText(), "");
}

// A program started again in one process begins from the defaults, not from
// the settings its last run read.
TEST_F(CVarSystemTest, RestoringTheDefaultsUndoesEverySettingOfEveryType) {
  Parse("t_width = 1 \nt_full = 1\nt_gain = 0.5\nt_name = other\nt_short = 9\nt_double = 7.5\nt_dup = 4\n");
  Basalt::CVarSystem::RestoreDefaults();
  EXPECT_EQ(t_width, 800);
  EXPECT_FALSE(t_full);
  EXPECT_EQ(t_gain, 1.0f);
  EXPECT_STREQ(t_name, "default");
  EXPECT_EQ(t_short, 1);
  EXPECT_EQ(t_double, 3.0);
  EXPECT_EQ(t_first, 0);
}

TEST_F(CVarSystemTest, BooleansAreTrueOnlyAboveZero) {
  Parse("t_full = 1\r\nt_neighbour = 1\r\nt_full = -1\r\n");
  EXPECT_FALSE(t_full);
  EXPECT_TRUE(t_neighbour);
  Parse("t_full = 0\r\n");
  EXPECT_FALSE(t_full);
}

TEST_F(CVarSystemTest, IntegersOutOfRangeAreClamped) {
  Parse("t_width = 99999999999\r\nt_height = -99999999999\r\n");
  EXPECT_EQ(t_width, INT_MAX);
  EXPECT_EQ(t_height, INT_MIN);
}

TEST_F(CVarSystemTest, AValueOutsideItsVariablesRangeIsRefusedAndTheOldValueKept) {
  Parse("t_delay = 0\nt_pad = 4\n");
  EXPECT_EQ(t_delay, 0);
  EXPECT_EQ(t_pad, 4);
  EXPECT_EQ(LogText(), "");
  Parse("t_delay = -5\nt_pad = 5\nt_pad = -1\nt_delay = -99999999999\nt_width = -5\n");
  EXPECT_EQ(t_delay, 0);
  EXPECT_EQ(t_pad, 4);
  EXPECT_EQ(t_width, -5);  // no range: any int
  EXPECT_EQ(LogText(),
            "(settings.cfg : 1) t_delay = -5 refused: it must be at least 0; keeping 0\n"
            "(settings.cfg : 2) t_pad = 5 refused: it must be 0 to 4; keeping 4\n"
            "(settings.cfg : 3) t_pad = -1 refused: it must be 0 to 4; keeping 4\n"
            "(settings.cfg : 4) t_delay = -99999999999 refused: it must be at least 0; keeping 0\n");
}

TEST_F(CVarSystemTest, CommentsAfterValuesAndOnTheirOwnLinesAreIgnored) {
  Parse("// t_width = 1\r\nt_width = 1280\t\t// t_height = 1\r\n/t_height = 2\r\nt_height = 720 //x\r\n");
  EXPECT_EQ(t_width, 1280);
  EXPECT_EQ(t_height, 720);
  EXPECT_EQ(LogText(), "");
}

TEST_F(CVarSystemTest, LinuxAndOldMacLineEndsSeparateLinesToo) {
  Parse("t_width = 1024\nt_height = 768\rt_full = 1\n");
  EXPECT_EQ(t_width, 1024);
  EXPECT_EQ(t_height, 768);
  EXPECT_TRUE(t_full);
}

TEST_F(CVarSystemTest, TheLastValueOfTheFileIsReadWhole) {
  Parse("t_height = 1\r\nt_width = 1024");
  EXPECT_EQ(t_width, 1024);
  Parse("t_full = 1");
  EXPECT_TRUE(t_full);
}

TEST_F(CVarSystemTest, UnknownNamesAndMissingEqualsAreReportedWithTheirLine) {
  Parse("t_width = 1\r\n\r\nnope = 3\r\nt_width=5\r\nt_height : 5\r\nt_height = 480\r\n");
  EXPECT_EQ(t_width, 1);
  EXPECT_EQ(t_height, 480);
  EXPECT_EQ(LogText(),
            "(settings.cfg : 3) unknown command or cvar: 'nope'\n"
            "(settings.cfg : 4) unknown command or cvar: 't_width=5'\n"
            "(settings.cfg : 5) Syntax error: '(:)' -- expected '=' \n");
}

TEST_F(CVarSystemTest, AMissingValueKeepsTheDefaultAndLosesNoLine) {
  Parse("t_width =\r\nt_height = 720\r\nt_full\r\nt_neighbour = 1\r\nnope\r\n");
  EXPECT_EQ(t_width, 800);
  EXPECT_EQ(t_height, 720);
  EXPECT_TRUE(t_neighbour);
  EXPECT_EQ(LogText(),
            "(settings.cfg : 1) Syntax error: no value for 't_width'\n"
            "(settings.cfg : 3) Syntax error: '()' -- expected '=' \n"
            "(settings.cfg : 5) unknown command or cvar: 'nope'\n");
}

TEST_F(CVarSystemTest, ShortAndDoubleVariablesAreRegisteredButNotAssignable) {
  Parse("t_short = 5\r\nt_ushort = 5\r\nt_double = 5\r\nt_width = 640\r\n");
  EXPECT_EQ(t_short, 1);
  EXPECT_EQ(t_ushort, 2);
  EXPECT_DOUBLE_EQ(t_double, 3.0);
  EXPECT_EQ(t_width, 640);
  EXPECT_EQ(LogText(),
            "(settings.cfg) cannot assign value to unknown cvar type: t_short\n"
            "(settings.cfg) cannot assign value to unknown cvar type: t_ushort\n"
            "(settings.cfg) cannot assign value to unknown cvar type: t_double\n");
}

TEST_F(CVarSystemTest, TheFirstRegistrationOfANameReceivesAssignments) {
  EXPECT_EQ(Basalt::CVarSystem::Find("t_dup")->GetTarget(), &t_first);
  Parse("t_dup = 9\r\n");
  EXPECT_EQ(t_first, 9);
  EXPECT_EQ(t_second, 0);
}

TEST_F(CVarSystemTest, GarbageAndHugeLinesNeverStopTheParse) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  Parse(garbage + "\r\n" + std::string(100 * 1024, 'q') + "\r\nt_width = 1600\r\n");
  EXPECT_EQ(t_width, 1600);
  Parse(std::string(100 * 1024, '\0'));
  Parse("");
  Basalt::CVarSystem other;
  EXPECT_FALSE(other.ParseFile(nullptr, 3, "x"));
}

// Each garbage line logs a line of its own (with its number, so no two are
// alike): 4 MB of them stop at the log's 1 MiB cap.
TEST_F(CVarSystemTest, AHugeGarbageFileWritesNoMoreLogThanTheCap) {
  std::string garbage;
  while (garbage.size() < 4 * 1024 * 1024) garbage += "zzzzzz\n";
  Parse(garbage + "t_width = 1600\n");
  EXPECT_EQ(t_width, 1600);
  const std::string log = LogText();
  EXPECT_LE(log.size(), Basalt::Log::kDefaultSizeCap);
  EXPECT_NE(log.find("(settings.cfg : 2) unknown command or cvar: 'zzzzzz'"), std::string::npos);
  EXPECT_NE(log.find("-- The log has reached its size cap of 1048576 bytes"), std::string::npos);
}

TEST_F(CVarSystemTest, ExecutesFilesAndReportsMissingOnes) {
  test::WriteFile("game.cfg", "t_width = 1920\r\n");
  EXPECT_TRUE(system.ExecFile("game.cfg"));
  EXPECT_EQ(t_width, 1920);
  EXPECT_FALSE(system.ExecFile(nullptr));
  EXPECT_TRUE(system.Initialize(const_cast<char*>("missing.cfg")));
  EXPECT_EQ(LogText(),
            "FileSystemStd::LoadFileToRAM(): failed to open 'missing.cfg' (file not found?)\n"
            "Console failed to exec 'missing.cfg'\n");
}

TEST(CVarTest, NamesAreCutTo63CharactersAndOnlyARegisteredTableIsFound) {
  static int target = 0;
  const std::string longName = "t_" + std::string(80, 'n');
  static const Basalt::cvar kLong[] = {{&target, longName.c_str(), 5, "long"}};
  EXPECT_EQ(std::strlen(kLong[0].GetName()), 63u);
  EXPECT_EQ(Basalt::CVarSystem::Find(kLong[0].GetName()), nullptr);
  EXPECT_EQ(target, 0);
  Basalt::CVarSystem::Register(kLong);
  EXPECT_EQ(Basalt::CVarSystem::Find(longName.substr(0, 63).c_str()), &kLong[0]);
  EXPECT_EQ(target, 5);
}

}  // namespace
