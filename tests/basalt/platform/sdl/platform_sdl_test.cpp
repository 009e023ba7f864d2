#include "basalt/platform/sdl/platform_sdl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string g_caption, g_text;
int g_boxes = 0;

void RecordBox(const char* caption, const char* text) {
  g_caption = caption;
  g_text = text;
  ++g_boxes;
}

unsigned NameWindow(void* setup) {
  std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "Test Window");
  return 0;
}

class PlatformSDLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_boxes = 0;
    Basalt::PlatformSDL::SetMessageBoxHandler(&RecordBox);
  }
  void TearDown() override { Basalt::PlatformSDL::SetMessageBoxHandler(nullptr); }
};

TEST_F(PlatformSDLTest, OpensAWindowWithTheRequestedClientArea) {
  Basalt::PlatformSDL platform(&NameWindow);
  Basalt::PlatformParams params = {false, 640, 360};
  ASSERT_TRUE(platform.Initialize(&params));
  int width = 0, height = 0;
  SDL_GetWindowSize(platform.GetWindow(), &width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 360);
  EXPECT_STREQ(SDL_GetWindowTitle(platform.GetWindow()), "Test Window");
  EXPECT_TRUE(platform.Update());
  EXPECT_TRUE(platform.Shutdown());
  EXPECT_EQ(platform.GetWindow(), nullptr);
  EXPECT_FALSE(platform.Shutdown());
}

TEST_F(PlatformSDLTest, ARefusingCallbackOpensNoWindow) {
  Basalt::PlatformSDL platform([](void*) -> unsigned { return 1; });
  Basalt::PlatformParams params = {false, 640, 360};
  EXPECT_FALSE(platform.Initialize(&params));
  EXPECT_EQ(platform.GetWindow(), nullptr);
  EXPECT_FALSE(platform.Shutdown());
}

TEST_F(PlatformSDLTest, MessageBoxesFormatTheirTextAndRefuseOverlongFormats) {
  Basalt::PlatformSDL platform(&NameWindow);  // no window needed
  EXPECT_TRUE(platform.MsgBox("Error", "%d drumsets found!", 2));
  EXPECT_EQ(g_caption, "Error");
  EXPECT_EQ(g_text, "2 drumsets found!");
  EXPECT_TRUE(platform.MsgBox("Long", std::string(512, 'x').c_str()));
  EXPECT_FALSE(platform.MsgBox("Long", std::string(513, 'x').c_str()));
  EXPECT_TRUE(platform.MsgBox("Cut", "%s", std::string(4000, 'y').c_str()));
  EXPECT_EQ(g_text.size(), 1047u);
  EXPECT_EQ(g_boxes, 3);
}

TEST_F(PlatformSDLTest, TheTickIsInMilliseconds) {
  Basalt::PlatformSDL platform(&NameWindow);
  const unsigned before = platform.GetTick();
  SDL_Delay(20);
  const unsigned elapsed = platform.GetTick() - before;
  EXPECT_GE(elapsed, 20u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
