#include "backline/gui/program_gui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "backline/common/app_cvars.h"
#include "basalt/graphics/texture.h"
#include "basalt/gui/gui.h"
#include "tests/support/font_images.h"
#include "tests/support/graphics_fixture.h"

namespace {

using Basalt::GUIMessage;

constexpr unsigned kRed = 0xFFFF0000;
constexpr unsigned kWhite = 0xFFFFFFFF;

// A window big enough for a button, the GUI with five block fonts (every
// glyph 7 x 8) and an all-white skin in the game directory.
class ProgramGuiTest : public test::GraphicsFixture {
 protected:
  ProgramGuiTest() : GraphicsFixture(160, 80) {}
  void SetUp() override {
    GraphicsFixture::SetUp();
    std::filesystem::create_directory("fonts");
    for (const char* font : {"0.tga", "1.tga", "2.tga", "3.tga", "4.tga"})
      test::WriteFile(std::string("fonts/") + font, test::BlockFont([](char) { return 7u; }).Tga());
    test::FontImage skin(60, 30);
    skin.Fill(0, 0, 60, 30);
    test::WriteFile("gui.tga", skin.Tga());
    Basalt::g_pGUI = &gui;
    ASSERT_TRUE(gui.Initialize());
  }
  void TearDown() override {
    context.Shutdown();
    gui.Shutdown();
    Basalt::g_pGUI = nullptr;
    g_drawFPS = false;
    GraphicsFixture::TearDown();
  }
  std::string Queued(unsigned i) {
    const Basalt::FontManager& fonts = *gui.GetFontManager();
    return std::string(fonts.GetQueuedText(fonts.GetQueued(i)), fonts.GetQueued(i).length);
  }

  Basalt::GUI gui;
  ProgramGui context;
};

TEST_F(ProgramGuiTest, TheSkinComesFromTheGameDirectoryOrTheLoadedTextures) {
  ASSERT_TRUE(context.Initialize());
  ASSERT_NE(context.GetSkin(), nullptr);
  EXPECT_EQ(context.GetSkin()->GetWidth(), 60u);
  EXPECT_EQ(Materials().FindTexture("gui.tga"), context.GetSkin());
  ProgramGui second;
  ASSERT_TRUE(second.Initialize());
  EXPECT_EQ(second.GetSkin(), context.GetSkin());

  std::filesystem::remove("gui.tga");
  Materials().ClearTextures();
  ProgramGui without;
  EXPECT_TRUE(without.Initialize());
  EXPECT_EQ(without.GetSkin(), nullptr);
  EXPECT_NE(LogText().find("Failed to load GUI.TGA"), std::string::npos) << LogText();
}

// A skin that does not decode is no skin either: the program goes on and the
// buttons are drawn as plain boxes of their colour.
TEST_F(ProgramGuiTest, WithoutASkinTheButtonsAreDrawnPlain) {
  test::WriteFile("gui.tga", "not an image");
  ASSERT_TRUE(context.Initialize());
  EXPECT_EQ(context.GetSkin(), nullptr);
  gui.NewContext(&context);
  Basalt::GUIButton* button = context.CreateButton(1, 0);
  button->SetColour(1.0f, 1.0f, 0.0f, 0.0f);
  button->SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 20, 20));
  for (int frame = 1; frame <= 52; ++frame) ASSERT_TRUE(Device().RenderFrame());
  EXPECT_EQ(Device().ReadPixel(25, 25), kRed);
  const std::string log = LogText();
  EXPECT_NE(log.find("Failed to create texture (code: 0): unknown image type (texture gui.tga)\n"), std::string::npos)
      << log;
  EXPECT_NE(log.find("Failed to load GUI.TGA: the buttons are drawn without their skin\n"), std::string::npos) << log;
}

TEST_F(ProgramGuiTest, ButtonsAreCreatedOncePerIdUnderTheirParentOrTheRoot) {
  ASSERT_TRUE(context.Initialize());
  Basalt::GUIButton* first = context.CreateButton(1, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(context.GetRoot(), first);
  first->SendMessage(GUIMessage::Caption("First"));
  EXPECT_EQ(context.CreateButton(1, 0), nullptr);
  EXPECT_STREQ(first->GetCaption(), "First");

  Basalt::GUIButton* orphan = context.CreateButton(2, 7);  // no widget 7
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(first->GetFirstChild(), orphan);
  Basalt::GUIButton* child = context.CreateButton(3, 2);
  EXPECT_EQ(orphan->GetFirstChild(), child);
  for (unsigned wid = 4; wid <= 14; ++wid) ASSERT_NE(context.CreateButton(wid, 0), nullptr);
  EXPECT_EQ(first->GetFirstChild()->GetWID(), 14u);

  EXPECT_TRUE(context.SendMessage(3, GUIMessage::Caption("Third")));
  EXPECT_STREQ(child->GetCaption(), "Third");
  EXPECT_FALSE(context.SendMessage(99, GUIMessage::Caption("None")));

  // Drawn root first, then the newest buttons first; each caption twice.
  for (unsigned wid = 4; wid <= 14; ++wid) context.SendMessage(wid, GUIMessage::Caption(std::to_string(wid).c_str()));
  context.Draw();
  ASSERT_EQ(gui.GetFontManager()->NumQueued(), 28u);
  EXPECT_EQ(Queued(0), "First");
  EXPECT_EQ(Queued(2), "14");
  EXPECT_EQ(Queued(24), "Button");
  EXPECT_EQ(Queued(26), "Third");
  EXPECT_EQ(gui.GetTexture(), context.GetSkin());

  EXPECT_TRUE(context.Shutdown());
  EXPECT_EQ(context.FindWidget(1), nullptr);
  EXPECT_EQ(context.FindWidget(14), nullptr);
  EXPECT_EQ(context.GetRoot(), nullptr);
}

TEST_F(ProgramGuiTest, TheFrameRateLineIsQueuedWhenAskedFor) {
  ASSERT_TRUE(context.Initialize());
  context.Draw();
  EXPECT_EQ(gui.GetFontManager()->NumQueued(), 0u);
  g_drawFPS = true;
  context.Draw();
  ASSERT_EQ(gui.GetFontManager()->NumQueued(), 1u);
  EXPECT_EQ(Queued(0), "FPS: 0");
  const Basalt::FontManager::TextRequest& line = gui.GetFontManager()->GetQueued(0);
  EXPECT_EQ(line.font, 3u);
  EXPECT_EQ(line.x, 10u);
  EXPECT_EQ(line.y, 20u);
  EXPECT_EQ(line.colour, kWhite);
}

// A red button at (20, 20), 100 x 30, captioned "Hi": the caption is 16
// pixels wide, so it starts at x 20 + (100 - 16) / 2 = 62 with its baseline
// at y 20 + 30 / 2 + 4 = 39; each block glyph covers 7 columns and the 8 rows
// up to the baseline.
TEST_F(ProgramGuiTest, ARenderedFrameShowsTheButtonAndItsCaptionWhereTheyBelong) {
  ASSERT_TRUE(context.Initialize());
  gui.NewContext(&context);
  Basalt::GUIButton* button = context.CreateButton(1, 0);
  button->SetColour(1.0f, 1.0f, 0.0f, 0.0f);
  button->SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 20, 20));
  button->SendMessage(GUIMessage::Caption("Hi"));

  ASSERT_TRUE(Device().RenderFrame());  // the first frame is darkened, but not its text
  EXPECT_EQ(Device().ReadPixel(62, 39), kWhite);
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(25, 25), 0xFF040000)) << std::hex << Device().ReadPixel(25, 25);
  for (int frame = 2; frame <= 52; ++frame) ASSERT_TRUE(Device().RenderFrame());

  for (unsigned x : {20u, 25u, 60u, 119u}) EXPECT_EQ(Device().ReadPixel(x, 20), kRed) << x;
  EXPECT_EQ(Device().ReadPixel(119, 49), kRed);
  EXPECT_EQ(Device().ReadPixel(120, 30), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(19, 30), kClearPixel);
  EXPECT_EQ(Device().ReadPixel(30, 50), kClearPixel);
  for (unsigned x : {62u, 68u, 70u, 76u}) {
    EXPECT_EQ(Device().ReadPixel(x, 39), kWhite) << x;
    EXPECT_EQ(Device().ReadPixel(x, 32), kWhite) << x;
    EXPECT_EQ(Device().ReadPixel(x, 31), kRed) << x;
    EXPECT_EQ(Device().ReadPixel(x, 40), kRed) << x;
  }
  EXPECT_EQ(Device().ReadPixel(61, 39), kRed);
  EXPECT_EQ(Device().ReadPixel(69, 39), kRed);  // the pixel between the glyphs
  EXPECT_EQ(Device().ReadPixel(77, 39), kRed);
}

}  // namespace
