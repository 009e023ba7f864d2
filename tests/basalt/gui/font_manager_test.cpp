#include "basalt/gui/font_manager.h"

#include <gtest/gtest.h>

#include <string>

#include "basalt/graphics/gl/texture_gl.h"
#include "basalt/gui/gui.h"
#include "tests/support/font_images.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/recording_device.h"

namespace {

using Basalt::FontManager;

unsigned BlockWidth(char ch) { return ch == 'a' ? 5u : ch == 'b' ? 3u : 7u; }

class FontManagerTest : public test::GraphicsFixture {
 protected:
  void WriteBlockFont(const std::string& path) { test::WriteFile(path, test::BlockFont(&BlockWidth).Tga()); }
  void TearDown() override {
    fonts.Shutdown();  // while the context exists
    GraphicsFixture::TearDown();
  }
  static std::string Queued(const FontManager& queue, unsigned i) {
    const FontManager::TextRequest& request = queue.GetQueued(i);
    return std::string(queue.GetQueuedText(request), request.length);
  }
  FontManager fonts;
};

TEST_F(FontManagerTest, FontIdsCountEveryFileTriedAndDamagedFilesAreRefused) {
  WriteBlockFont("good.tga");
  const std::string good = test::ReadFile("good.tga");
  test::WriteFile("cut.tga", good.substr(0, good.size() - 1));
  std::string wide = good;  // announces more columns than the file holds
  wide[12] = static_cast<char>(255);
  test::WriteFile("wide.tga", wide);
  std::string empty = good;
  empty[14] = empty[15] = 0;
  test::WriteFile("empty.tga", empty);
  std::string mapped = good;  // a colour map that ends past the pixels
  mapped[1] = 1;
  mapped[7] = static_cast<char>(255);
  test::WriteFile("mapped.tga", mapped);
  test::WriteFile("named.tga", test::BlockFont(&BlockWidth).Tga(7));
  test::WriteFile("short.tga", "TGA");

  EXPECT_EQ(fonts.LoadFont("good.tga"), 0);
  EXPECT_EQ(fonts.LoadFont("missing.tga"), -1);
  int id = 2;
  for (const char* damaged : {"cut.tga", "wide.tga", "empty.tga", "mapped.tga", "short.tga"}) {
    EXPECT_EQ(fonts.LoadFont(damaged), -1) << damaged;
    EXPECT_FALSE(fonts.IsLoaded(static_cast<unsigned>(id++))) << damaged;
  }
  EXPECT_EQ(fonts.LoadFont("named.tga"), id);
  EXPECT_EQ(fonts.NumFonts(), 8u);
  ASSERT_TRUE(fonts.IsLoaded(0));
  EXPECT_EQ(fonts.GetGlyphs(0)->numGlyphs, 92u);
  EXPECT_EQ(fonts.GetGlyphs(static_cast<unsigned>(id))->numGlyphs, 92u);
  EXPECT_EQ(fonts.GetTexture(0)->GetWidth(), 256u);
  EXPECT_NE(static_cast<Basalt::TextureGL*>(fonts.GetTexture(0))->GetGLTexture(), 0u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FontManagerTest, TextIsMeasuredAndPlacedGlyphByGlyph) {
  WriteBlockFont("font.tga");
  ASSERT_EQ(fonts.LoadFont("font.tga"), 0);
  const unsigned space = fonts.GetGlyphWidth(0, ' ');
  EXPECT_EQ(space, 3u);  // half the mean width, 6.9 rounded down to 6
  EXPECT_EQ(fonts.GetGlyphWidth(0, 'a'), 5u);
  EXPECT_EQ(fonts.GetGlyphWidth(0, static_cast<char>(0xE9)), 0u);  // no glyph above 127
  EXPECT_EQ(fonts.GetTextWidth(0, "a b"), (5 + 1) + (space + 1) + (3 + 1));
  EXPECT_EQ(fonts.GetTextWidth(3, "a b"), 3u);  // a font that was never loaded

  test::RecordingDevice device;
  fonts.DrawText(0, 100, 50, 0x80FF0000, "a b");
  fonts.RenderText();
  ASSERT_EQ(device.quads.size(), 2u);
  const test::Quad& a = device.quads[0];
  const test::Quad& b = device.quads[1];
  const Basalt::FontGlyphs* glyphs = fonts.GetGlyphs(0);
  EXPECT_EQ(a.rect.left, glyphs->boxes['a'].left);
  EXPECT_EQ(a.rect.right, glyphs->boxes['a'].right);
  EXPECT_EQ(a.position.x, 100.0f);
  EXPECT_EQ(b.position.x,
            static_cast<float>(100 + 5 + 1 + space));  // the space advances one pixel less than it measures
  EXPECT_EQ(a.position.y, 50.0f - test::kBlockHeight);
  EXPECT_EQ(a.position.z, FontManager::kTextDepth);
  EXPECT_EQ(a.colour, 0x80FF0000u);
  EXPECT_EQ(a.texture, fonts.GetTexture(0));
  EXPECT_EQ(device.depthWrites, (std::vector<unsigned>{1, 1}));
  EXPECT_EQ(fonts.NumQueued(), 0u);
}

TEST_F(FontManagerTest, FormattedTextIsCutToTheLengthOfItsFormat) {
  Basalt::GUI gui;
  Basalt::g_pGUI = &gui;
  FontManager& queue = *gui.GetFontManager();
  queue.DrawText(0, 1, 2, 0xFFFFFFFF, "%d", 120);
  gui.DrawText(0, 1, 2, 0xFFFFFFFF, "%d", 120);
  gui.DrawText(0, 1, 2, 0xFFFFFFFF, "%d%%", 100);
  queue.DrawText(0, 1, 2, 0xFFFFFFFF, "%s", "");
  const std::string tooLong(FontManager::kFormatCapacity + 100, 'x');
  gui.DrawText(0, 1, 2, 0xFFFFFFFF, "%s", tooLong.c_str());
  ASSERT_EQ(queue.NumQueued(), 5u);
  EXPECT_EQ(Queued(queue, 0), "12");
  EXPECT_EQ(Queued(queue, 1), "120");
  EXPECT_EQ(Queued(queue, 2), "100%");
  EXPECT_EQ(Queued(queue, 3), "");
  EXPECT_EQ(Queued(queue, 4), std::string(FontManager::kFormatCapacity - 1, 'x'));
  EXPECT_EQ(queue.GetQueued(1).font, 0u);
  EXPECT_EQ(queue.GetQueued(1).x, 1u);
  EXPECT_EQ(queue.GetQueued(1).y, 2u);
  Basalt::g_pGUI = nullptr;
}

}  // namespace
