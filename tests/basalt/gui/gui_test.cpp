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
    gui.DrawTextA(0, 10, 20, 0xFFFFFFFF, "a");
    gui.Draw();
    ASSERT_FALSE(device.quads.empty());
    EXPECT_NE(device.quads.back().texture, nullptr) << "the text comes last, frame " << frame;
    if (device.quads.size() == 2) fadeAlphas.push_back(device.quads[0].colour >> 24);
    if (frame == 1) {
      const test::Quad& square = device.quads[0];
      EXPECT_EQ(square.texture, nullptr);
      EXPECT_EQ(square.colour & 0xFFFFFF, 0u);
      EXPECT_EQ(square.position.x, -50.0f);
      EXPECT_EQ(square.scaleX, 50.0f);
      EXPECT_EQ(square.rect.right, 30);
      EXPECT_EQ(device.depthWrites, (std::vector<unsigned>{0, 1, 1, 1}));
    }
  }
  ASSERT_EQ(fadeAlphas.size(), 51u);
  for (unsigned i = 0; i < 51; ++i) EXPECT_EQ(fadeAlphas[i], 251 - 5 * i);
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
  button.SendMessageA(GUIMessage::Caption("WWWWWWWWW"));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 106u);
  button.SendMessageA(GUIMessage::Caption("B"));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 106u);
  button.SetSize(0, 0);
  button.SendMessageA(GUIMessage::Caption(""));
  button.Draw();
  EXPECT_EQ(button.GetWidth(), 20u);
  EXPECT_EQ(button.GetHeight(), 20u);
}

TEST_F(ButtonTest, NineSlicesOnlyForButtonsTallerThanTwentyPixels) {
  test::RecordingDevice device;
  GUIButton button(1);
  button.Initialize(nullptr);
  button.SetSkin(1);
  button.SendMessageA(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 10, 40));
  button.SetSize(100, 20);
  button.Draw();
  EXPECT_EQ(device.quads.size(), 6u);
  device.quads.clear();
  button.SetSize(100, 21);
  button.Draw();
  ASSERT_EQ(device.quads.size(), 9u);
  const test::Quad& corner = device.quads[0];
  EXPECT_EQ(corner.rect.left, 30);  // skin 1's top-left corner
  EXPECT_EQ(corner.rect.right, 40);
  EXPECT_EQ(corner.position.x, 10.0f);
  EXPECT_EQ(corner.position.z, GUIButton::kDepth);
  const test::Quad& topEdge = device.quads[1];
  EXPECT_EQ(topEdge.rect.left, 40);
  EXPECT_EQ(topEdge.position.x, 20.0f);
  EXPECT_EQ(topEdge.scaleX, 8.0f);
  const test::Quad& bottomRight = device.quads[5];
  EXPECT_EQ(bottomRight.rect.top, 20);
  EXPECT_EQ(bottomRight.position.x, 100.0f);
  EXPECT_EQ(bottomRight.position.y, 51.0f);
  const test::Quad& centre = device.quads[8];
  EXPECT_EQ(centre.rect.left, 40);
  EXPECT_EQ(centre.rect.top, 10);
  EXPECT_EQ(centre.position.x, 20.0f);
  EXPECT_EQ(centre.position.y, 50.0f);
  EXPECT_FLOAT_EQ(centre.scaleX, 8.0f);
  EXPECT_FLOAT_EQ(centre.scaleY, 0.1f);
  EXPECT_EQ(button.GetSkinRect(17).left, 40);
  EXPECT_EQ(button.GetSkinRect(8 + 4 + 3).top, 20);  // skin 1's bottom edge
}

TEST_F(ButtonTest, EachDrawMessageDrawsTheButtonTwiceWithItsCaptionCentred) {
  test::RecordingDevice device;
  GUIButton button(1);
  button.Initialize(nullptr);
  button.SendMessageA(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 10, 40));
  button.SetColour(0.5f, 1.0f, 0.0f, 0.0f);
  button.SetCaptionColour(0.0f, 1.0f, 0.0f);
  EXPECT_TRUE(button.SendMessageA(Basalt::GUI_DRAW));
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
  button.SendMessageA(GUIMessage::Caption("100%"));
  button.SendMessageA(Basalt::GUI_DRAW);
  EXPECT_EQ(QueuedText(2), "100%");
  EXPECT_EQ(fonts.GetQueued(2).colour >> 24, 0u);
}

TEST_F(ButtonTest, AControllerKillsItsWidgetsById) {
  class Context : public Basalt::IContextController {
   public:
    void Add(GUIButton* button) { m_widgets.Insert(button->GetWID(), button); }
  } context;
  auto* button = new GUIButton(5);
  context.Add(button);
  EXPECT_TRUE(context.SendMessageA(5, GUIMessage::Caption("Play")));
  EXPECT_STREQ(button->GetCaption(), "Play");
  EXPECT_FALSE(context.SendMessageA(99, GUIMessage::Caption("Play")));
  EXPECT_FALSE(context.KillWidget(99));
  EXPECT_TRUE(context.KillWidget(5));
  EXPECT_EQ(context.FindWidget(5), nullptr);
  EXPECT_FALSE(context.KillWidget(5));
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
    EXPECT_GT(fonts->GetGlyphWidth(id, 'W'), fonts->GetGlyphWidth(id, 'i')) << id;
    EXPECT_EQ(glyphs->boxes['a'].top, glyphs->boxes['b'].top) << id;  // one band
    EXPECT_EQ(glyphs->boxes['a'].bottom, glyphs->boxes['b'].bottom) << id;
    for (const char* c = Basalt::kFontCharacterOrder; *c; ++c) {
      const auto code = static_cast<unsigned char>(*c);
      const Basalt::GRECT& box = glyphs->boxes[code];
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
  auto columnInked = [&](int x, const Basalt::GRECT& box) {
    if (x == 0) return false;  // column 0 holds the baseline markers
    for (int row = box.top + 1; row < box.bottom - 1; ++row)
      if (alpha(x, row)) return true;
    return false;
  };
  const Basalt::FontGlyphs* caption = fonts->GetGlyphs(4);
  for (const char* c = Basalt::kFontCharacterOrder; *c; ++c) {
    const Basalt::GRECT& box = caption->boxes[static_cast<unsigned char>(*c)];
    EXPECT_FALSE(columnInked(box.left - 1, box)) << *c;
    EXPECT_TRUE(columnInked(box.left, box)) << *c;
    EXPECT_TRUE(columnInked(box.right - 1, box)) << *c;
    EXPECT_FALSE(columnInked(box.right, box)) << *c;
  }
  EXPECT_GT(fonts->GetTextWidth(5, "Padlark"), fonts->GetTextWidth(0, "Padlark"));
}

TEST_F(GUITest, GeneratedFontsStandOnTheBaselineTheyAreDrawnAt) {
  ASSERT_TRUE(test::GenerateContent(Dir()));
  ASSERT_TRUE(gui.Initialize());
  gui.DrawTextA(4, 10, 30, 0xFFFFFFFF, "H");
  ASSERT_TRUE(Device().RenderFrame());
  const unsigned background = Device().ReadPixel(kWidth - 1, 31);  // under the fading square
  auto inked = [&](unsigned row) {
    unsigned count = 0;
    for (unsigned x = 10; x < 30; ++x) count += Device().ReadPixel(x, row) != background ? 1 : 0;
    return count;
  };
  EXPECT_GE(inked(30), 2u);  // both stems end on the baseline
  EXPECT_GE(inked(20), 2u);
  EXPECT_EQ(inked(31), 0u);
}

}  // namespace
