#include "basalt/gui/gui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "basalt/gui/context_controller.h"
#include "basalt/gui/gui_button.h"
#include "tests/content/generate.h"
#include "tests/support/font_images.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/recording_device.h"

namespace {

using Basalt::GUIButton;
using Basalt::GUIMessage;

// "Button" measures 50 pixels and "WWWWWWWWW" 90.
unsigned CaptionWidth(char ch) { return ch == 'B' || ch == 'W' ? 9u : 7u; }

class GUITest : public test::GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    Basalt::g_pGUI = &gui;
  }
  void TearDown() override {
    Basalt::g_pGUI = nullptr;
    gui.Shutdown();
    GraphicsFixture::TearDown();
  }
  // Fonts 0..count-1, all the caption block font.
  void WriteFonts(unsigned count) {
    std::filesystem::create_directory("fonts");
    for (unsigned i = 0; i < count; ++i)
      test::WriteFile("fonts/" + std::to_string(i) + ".tga", test::BlockFont(&CaptionWidth).Tga());
  }

  Basalt::GUI gui;
};

TEST_F(GUITest, FontsLoadInListingOrderAndAFailureKeepsItsId) {
  std::filesystem::create_directory("fonts");
  test::WriteFile("fonts/b.tga", test::BlockFont(&CaptionWidth).Tga());
  test::WriteFile("fonts/A.tga", "not a font");
  test::WriteFile("fonts/c.TGA", test::BlockFont([](char) { return 2u; }).Tga());
  test::WriteFile("fonts/readme.txt", "skipped");
  ASSERT_TRUE(gui.Initialize());
  Basalt::FontManager* fonts = gui.GetFontManager();
  EXPECT_EQ(fonts->NumFonts(), 3u);
  EXPECT_FALSE(fonts->IsLoaded(0));
  EXPECT_EQ(fonts->GetGlyphWidth(1, 'B'), 9u);
  EXPECT_EQ(fonts->GetGlyphWidth(2, 'B'), 2u);
  EXPECT_NE(LogText().find("Failed to load font: A.tga"), std::string::npos) << LogText();
}

TEST_F(GUITest, TheFirstFiftyOneFramesFadeInFromBlackUnderTheText) {
  WriteFonts(1);
  ASSERT_TRUE(gui.Initialize());
  test::RecordingDevice device;
  std::vector<unsigned> fadeAlphas;
  for (int frame = 1; frame <= 53; ++frame) {
    device.quads.clear();
    gui.DrawText(0, 10, 20, 0xFFFFFFFF, "a");
    gui.Draw();
    ASSERT_FALSE(device.quads.empty());
    EXPECT_NE(device.quads.back().texture, nullptr) << "the text comes last, frame " << frame;
    if (device.quads.size() == 2) fadeAlphas.push_back(device.quads[0].colour >> 24);
    if (frame == 1) {
      const test::Quad& square = device.quads[0];
      EXPECT_EQ(square.texture, nullptr);
      EXPECT_EQ(square.colour & 0xFFFFFF, 0u);
      EXPECT_EQ(square.position.x, 0.0f);
      EXPECT_FLOAT_EQ(static_cast<float>(square.rect.right) * square.scaleX, 800.0f);
      EXPECT_EQ(device.depthWrites, (std::vector<unsigned>{0, 1, 1, 1}));
    }
  }
  ASSERT_EQ(fadeAlphas.size(), 51u);
  for (unsigned i = 0; i < 51; ++i) EXPECT_EQ(fadeAlphas[i], 251 - 5 * i);
}

TEST_F(GUITest, TheFadeCoversTheWholeScreenAtAnySize) {
  WriteFonts(1);
  ASSERT_TRUE(gui.Initialize());
  test::RecordingDevice device;
  device.width = 2560;
  device.height = 1600;
  gui.Draw();
  ASSERT_EQ(device.quads.size(), 1u);
  const test::Quad& square = device.quads[0];
  // Every pixel's centre, from (0.5, 0.5) to (2559.5, 1599.5), lies under it.
  EXPECT_LE(square.position.x, 0.5f);
  EXPECT_LE(square.position.y, 0.5f);
  EXPECT_GE(square.position.x + static_cast<float>(square.rect.right - square.rect.left) * square.scaleX, 2559.5f);
  EXPECT_GE(square.position.y + static_cast<float>(square.rect.bottom - square.rect.top) * square.scaleY, 1599.5f);
}

TEST_F(GUITest, AFontFolderWithoutFontsIsLogged) {
  std::filesystem::create_directory("fonts");
  test::WriteFile("fonts/readme.txt", "no fonts here");
  ASSERT_TRUE(gui.Initialize());
  EXPECT_EQ(gui.GetFontManager()->NumFonts(), 0u);
  EXPECT_NE(LogText().find("No fonts: fonts/ holds no *.tga file, so no text is drawn\n"), std::string::npos);
}

class ButtonTest : public GUITest {
 protected:
  void SetUp() override {
    GUITest::SetUp();
    WriteFonts(5);
    ASSERT_TRUE(gui.Initialize());
  }
  std::string QueuedText(unsigned i) {
    const Basalt::FontManager& fonts = *gui.GetFontManager();
    return std::string(fonts.GetQueuedText(fonts.GetQueued(i)), fonts.GetQueued(i).length);
  }
};

TEST_F(ButtonTest, AButtonGrowsToItsCaptionAndStaysGrown) {
  test::RecordingDevice device;
  GUIButton button(1);
  button.Initialize(nullptr);
  EXPECT_EQ(button.GetCaptionWidth(), 50u);
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 100u);
  button.SendMessage(GUIMessage::Caption("WWWWWWWWW"));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 106u);
  button.SendMessage(GUIMessage::Caption("B"));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 106u);
  button.SetSize(0, 0);
  button.SendMessage(GUIMessage::Caption(""));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 20u);
  EXPECT_EQ(button.GetHeight(), 20u);
}

TEST_F(ButtonTest, NineSlicesOnlyForButtonsTallerThanTwentyPixels) {
  test::RecordingDevice device;
  GUIButton button(1);
  button.Initialize(nullptr);
  button.SetSkin(1);
  button.SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 10, 40));
  button.SetSize(100, 20);
  button.Draw();
  EXPECT_EQ(device.quads.size(), 6u);
  device.quads.clear();
  button.SetSize(100, 21);
  button.Draw();
  ASSERT_EQ(device.quads.size(), 9u);
  struct {
    int left, top;  // of the source slice, skin 1
    float x, y, scaleX, scaleY;
  } const expected[9] = {{30, 0, 10, 40, 1, 1},    {40, 0, 20, 40, 8, 1},     {50, 0, 100, 40, 1, 1},
                         {30, 20, 10, 51, 1, 1},   {40, 20, 20, 51, 8, 1},    {50, 20, 100, 51, 1, 1},
                         {30, 10, 10, 50, 1, .1f}, {50, 10, 100, 50, 1, .1f}, {40, 10, 20, 50, 8, .1f}};
  for (unsigned i = 0; i < 9; ++i) {
    const test::Quad& quad = device.quads[i];
    EXPECT_EQ(quad.rect.left, expected[i].left) << i;
    EXPECT_EQ(quad.rect.top, expected[i].top) << i;
    EXPECT_EQ(quad.rect.right - quad.rect.left, 10) << i;
    EXPECT_EQ(quad.position.x, expected[i].x) << i;
    EXPECT_EQ(quad.position.y, expected[i].y) << i;
    EXPECT_EQ(quad.position.z, GUIButton::kDepth) << i;
    EXPECT_FLOAT_EQ(quad.scaleX, expected[i].scaleX) << i;
    EXPECT_FLOAT_EQ(quad.scaleY, expected[i].scaleY) << i;
  }
}

TEST_F(ButtonTest, EachDrawMessageDrawsTheButtonTwiceWithItsCaptionCentred) {
  test::RecordingDevice device;
  GUIButton button(1);
  button.Initialize(nullptr);
  button.SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 10, 40));
  button.SetColour(0.5f, 1.0f, 0.0f, 0.0f);
  button.SetCaptionColour(0.0f, 1.0f, 0.0f);
  EXPECT_TRUE(button.SendMessage(Basalt::GUI_DRAW));
  EXPECT_EQ(device.quads.size(), 18u);
  EXPECT_EQ(device.quads[0].colour, 0x7FFF0000u);
  const Basalt::FontManager& fonts = *gui.GetFontManager();
  ASSERT_EQ(fonts.NumQueued(), 2u);
  EXPECT_EQ(QueuedText(0), "Button");
  EXPECT_EQ(fonts.GetQueued(0).font, 4u);
  EXPECT_EQ(fonts.GetQueued(0).x, (100u - 50u) / 2 + 10);
  EXPECT_EQ(fonts.GetQueued(0).y, 30u / 2 + 40 + 4);
  EXPECT_EQ(fonts.GetQueued(0).colour, 0x7F00FF00u);

  button.SetColour(0.0f, 1.0f, 1.0f, 1.0f);  // how screens hide a button
  button.SendMessage(GUIMessage::Caption("100%"));
  button.SendMessage(Basalt::GUI_DRAW);
  EXPECT_EQ(QueuedText(2), "100%");
  EXPECT_EQ(fonts.GetQueued(2).colour >> 24, 0u);
}

// The fonts the content generator cuts with FreeType from DejaVu.
TEST_F(GUITest, GeneratedFontsScanIntoBoxesAroundEveryGlyph) {
  ASSERT_TRUE(test::GenerateContent(Dir()));
  ASSERT_TRUE(gui.Initialize());
  Basalt::FontManager* fonts = gui.GetFontManager();
  ASSERT_EQ(fonts->NumFonts(), 7u);
  for (unsigned id = 0; id < 7; ++id) {
    const Basalt::FontGlyphs* glyphs = fonts->GetGlyphs(id);
    ASSERT_NE(glyphs, nullptr) << id;
    EXPECT_EQ(glyphs->numGlyphs, 92u) << id;
    EXPECT_GT(glyphs->spaceWidth, 0u) << id;
    for (const char* c = Basalt::kFontCharacterOrder; *c; ++c) {
      const auto code = static_cast<unsigned char>(*c);
      const Basalt::TextureRect& box = glyphs->boxes[code];
      EXPECT_GT(box.right, box.left) << id << " " << *c;
      // Every band has its own baseline marker, inside the band.
      EXPECT_LT(glyphs->offsets[code], 0) << id << " " << *c;
      EXPECT_LT(-glyphs->offsets[code], box.bottom - box.top - 2) << id << " " << *c;
    }
  }
  // Each box is bounded by the transparent columns around its glyph's cell.
  const std::string file = test::ReadFile("fonts/04_caption.tga");
  const unsigned width = static_cast<unsigned char>(file[12]) | static_cast<unsigned char>(file[13]) << 8;
  const unsigned height = static_cast<unsigned char>(file[14]) | static_cast<unsigned char>(file[15]) << 8;
  auto alpha = [&](int x, int row) {
    return static_cast<unsigned char>(file[18 + ((height - 1 - row) * width + x) * 4 + 3]);
  };
  auto columnInked = [&](int x, const Basalt::TextureRect& box) {
    if (x == 0) return false;  // column 0 holds the baseline markers
    for (int row = box.top + 1; row < box.bottom - 1; ++row)
      if (alpha(x, row)) return true;
    return false;
  };
  const Basalt::FontGlyphs* caption = fonts->GetGlyphs(4);
  for (const char* c = Basalt::kFontCharacterOrder; *c; ++c) {
    const Basalt::TextureRect& box = caption->boxes[static_cast<unsigned char>(*c)];
    EXPECT_FALSE(columnInked(box.left - 1, box)) << *c;
    EXPECT_TRUE(columnInked(box.left, box)) << *c;
    EXPECT_TRUE(columnInked(box.right - 1, box)) << *c;
    EXPECT_FALSE(columnInked(box.right, box)) << *c;
  }
}

}  // namespace
