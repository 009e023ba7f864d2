#include "basalt/graphics/texture_gl.h"

#include <gtest/gtest.h>

#include "basalt/graphics/tga_check.h"
#include "tests/support/graphics_fixture.h"

namespace {

const std::string kImages = PADLARK_TESTDATA "/images/";

class TextureTest : public test::GraphicsFixture {
 protected:
  Basalt::TextureGL* New(const char* name) { return static_cast<Basalt::TextureGL*>(Materials().NewTexture(name)); }
  bool Load(Basalt::TextureGL* texture, const std::string& bytes) {
    return texture->LoadTexture(bytes.data(), static_cast<unsigned>(bytes.size()));
  }
};

void DrawWholeTexture(void* texture) {
  auto* image = static_cast<Basalt::ITexture*>(texture);
  const Basalt::GRECT all = {0, 0, static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight())};
  Basalt::g_pGraphics->Draw2D(all, {0, 0, 0.5f}, 0xFFFFFFFF, image, 1, 1);
}

TEST_F(TextureTest, ImagesWrittenByImageMagickLoad) {
  for (const char* file : {"rgba_16x8.tga", "rgb_16x8.tga", "rgba_rle_16x8.tga", "rgb_16x8.png"}) {
    Basalt::TextureGL* texture = New(file);
    EXPECT_TRUE(Load(texture, test::ReadFile(kImages + file))) << file;
    EXPECT_NE(texture->GetGLTexture(), 0u) << file;
    EXPECT_EQ(texture->GetWidth(), 16u) << file;
    EXPECT_EQ(texture->GetHeight(), 8u) << file;
  }
  Basalt::TextureGL* green = New("solid_green_16x8.tga");
  ASSERT_TRUE(Load(green, test::ReadFile(kImages + "solid_green_16x8.tga")));
  Device().SetOverlayPass(&DrawWholeTexture, green);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_EQ(Device().ReadPixel(0, 0), 0xFF0AC81Eu);
  EXPECT_EQ(Device().ReadPixel(15, 7), 0xFF0AC81Eu);
  EXPECT_EQ(Device().ReadPixel(16, 7), kClearPixel);
}

TEST_F(TextureTest, AFileThatIsNotAWholeImageLeavesTheTextureEmpty) {
  Basalt::TextureGL* text = New("text.tga");
  EXPECT_FALSE(Load(text, "this is not an image"));
  EXPECT_EQ(text->GetGLTexture(), 0u);
  EXPECT_TRUE(text->Activate(0));  // binds nothing
  for (const char* file : {"rgba_16x8.tga", "rgba_rle_16x8.tga"}) {
    const std::string whole = test::ReadFile(kImages + file);
    Basalt::TextureGL* cut = New(file);
    EXPECT_FALSE(Load(cut, whole.substr(0, whole.size() - 3))) << file;
    EXPECT_EQ(cut->GetGLTexture(), 0u) << file;
  }
  // Found by the fuzzer: 17 bytes of a run-length TGA header announcing
  // 43008 x 15872 pixels were decoded as a black picture of 2.7 GB.
  const std::string headerCut("\x00\x00\x0a\x0b\x00\x24\xf0\x00\x00\x28\xd1\x98\x00\xa8\x00\x3e\x10", 17);
  EXPECT_FALSE(Basalt::TgaPixelsComplete(reinterpret_cast<const unsigned char*>(headerCut.data()), 17));
  EXPECT_FALSE(Load(New("cut.tga"), headerCut));
  const std::string log = LogText();
  const std::string line = "(ERROR) TextureGL::SetData(): Failed to create texture";
  const size_t first = log.find(line);
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_NE(log.find(line, first + 1), std::string::npos) << log;
}

TEST_F(TextureTest, RawPixelsOfSixteenTwentyFourAndThirtyTwoBits) {
  Basalt::TextureGL* texture = New("raw");
  const unsigned char bytes[4 * 4 * 4] = {};
  EXPECT_FALSE(texture->SetData(bytes, 8, 4, 4));
  EXPECT_NE(LogText().find("TextureGL::SetData(): Unknown color depth: 8\n"), std::string::npos);
  EXPECT_EQ(texture->GetGLTexture(), 0u);
  for (unsigned depth : {16u, 24u, 32u}) {
    EXPECT_TRUE(texture->SetData(bytes, depth, 4, 4)) << depth;
    EXPECT_EQ(texture->GetBPP(), depth);
  }
  const unsigned char bgr[3] = {0x30, 0x20, 0x10};  // one 24-bit pixel: B, G, R
  ASSERT_TRUE(texture->SetData(bgr, 24, 1, 1));
  Device().SetOverlayPass(&DrawWholeTexture, texture);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_EQ(Device().ReadPixel(0, 0), 0xFF102030u);
}

}  // namespace
