#include "backline/app/default_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "backline/app/game_app.h"
#include "backline/common/app_cvars.h"
#include "basalt/foundation/cvar_system.h"
#include "basalt/foundation/engine_cvars.h"
#include "basalt/platform/platform.h"
#include "tests/support/engine_fixture.h"

namespace {

using DefaultSettingsTest = test::EngineFixture;

TEST_F(DefaultSettingsTest, AMissingFileGetsTheDefaultTextAndAnExistingOneIsKept) {
  ASSERT_TRUE(EnsureSettingsFile());
  EXPECT_EQ(test::ReadFile("settings.cfg"), DefaultSettingsText());
  test::WriteFile("settings.cfg", "g_drawFPS = 1");
  GameApp app;
  EXPECT_STREQ(app.GetVersion(), "version 1.36");
  EXPECT_EQ(test::ReadFile("settings.cfg"), "g_drawFPS = 1");
}

// The file a first start writes sets each of its variables to the default
// the program runs with when there is no file at all.
TEST_F(DefaultSettingsTest, TheDefaultTextSetsEachOfItsVariablesToItsDefault) {
  Basalt::g_textureFilterMode = 2;
  g_hitDelayThreshold = 1;
  Basalt::g_screenWidth = 3;
  g_useSoundLib = 1;
  const std::string text = DefaultSettingsText();
  Basalt::CVarSystem().ParseFile(text.data(), static_cast<unsigned>(text.size()), kSettingsFileName);
  EXPECT_EQ(LogText(), "");
  EXPECT_EQ(Basalt::g_textureFilterMode, 3);
  EXPECT_EQ(g_hitDelayThreshold, 90);
  EXPECT_EQ(Basalt::g_screenWidth, 800);
  EXPECT_EQ(g_useSoundLib, 0);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

TEST_F(DefaultSettingsTest, TheSoundLibraryCommentNamesTheEnginesThisProgramHas) {
  const std::string text = DefaultSettingsText();
  for (const char* foreign : {"XAudio2", "Audiere"}) EXPECT_EQ(text.find(foreign), std::string::npos) << foreign;
  EXPECT_NE(text.find("g_useSoundLib = 0\t// sound engine tried first: 0 our low-latency voice mixer, 1 SDL_mixer\n"),
            std::string::npos);
}

TEST_F(DefaultSettingsTest, ANegativeHitDelayIsRefusedAndTheDefaultKept) {
  g_hitDelayThreshold = 90;
  const std::string settings = "g_hitDelayThreshold = -20\n";
  Basalt::CVarSystem().ParseFile(settings.data(), static_cast<unsigned>(settings.size()), kSettingsFileName);
  EXPECT_EQ(g_hitDelayThreshold, 90);
  EXPECT_EQ(LogText(), "(settings.cfg : 1) g_hitDelayThreshold = -20 refused: it must be at least 0; keeping 90\n");
}

TEST(GameAppTest, ThePlatformCallbackTitlesTheWindow) {
  Basalt::WindowSetup setup;
  std::memset(&setup, 'x', sizeof setup);
  EXPECT_EQ(GameApp::PlatformCallback(&setup), 0u);
  EXPECT_STREQ(setup.title, "Padlark");
}

}  // namespace
