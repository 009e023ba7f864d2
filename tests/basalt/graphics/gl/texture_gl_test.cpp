#include "basalt/graphics/gl/texture_gl.h"

#include <gtest/gtest.h>

#include "basalt/graphics/jpeg_check.h"
#include "basalt/graphics/png_check.h"
#include "basalt/graphics/pnm_check.h"
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
  const Basalt::TextureRect all = {0, 0, static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight())};
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
  // 43008 x 15872 pixels made stb_image allocate 2 GB for a black picture.
  const std::string headerCut("\x00\x00\x0a\x0b\x00\x24\xf0\x00\x00\x28\xd1\x98\x00\xa8\x00\x3e\x10", 17);
  EXPECT_FALSE(Basalt::TgaPixelsComplete(reinterpret_cast<const unsigned char*>(headerCut.data()), 17));
  EXPECT_FALSE(Load(New("cut.tga"), headerCut));
  const std::string log = LogText();
  const std::string line = "(ERROR) TextureGL::SetData(): Failed to create texture";
  const size_t first = log.find(line);
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_NE(log.find(line, first + 1), std::string::npos) << log;
}

// Found by the fuzzer: a PNG whose first IDAT chunk is empty, followed by
// damaged data. stb_image copies the empty chunk to a null buffer (harmless,
// and in the library) and then refuses the file; a damaged chunk running past
// the end now has it refused before stb_image sees it.
const char kEmptyIdatPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\xff\x00\x10\x00\x00\x00\x08\x10\x02\x00\x00"
    "\x00\x2f\x84\x34\x83\x00\x00\x00\x04\x67\x41\x4d\x41\x00\x00\xb1\x8f\x0b\xfc\x61\x05\x00\x00\x00\x20\x63\x48\x52"
    "\x4d\x00\x00\x7a\x26\x00\x00\x80\x84\x00\x00\xfa\x00\x00\x00\x80\xe8\x00\x00\x75\x30\x00\x00\xea\x60\x00\x00\x3a"
    "\x98\x00\x00\x17\x70\x9c\xba\x51\x3c\x00\x00\x00\x06\x62\x4b\x47\x44\xff\xff\xff\xff\xff\xff\x09\x58\xf7\xdc\x00"
    "\x00\x00\x07\x74\x49\x4d\x45\x07\xea\x0c\x08\x0d\x2e\x13\xfc\x2e\x8c\x0b\x00\x00\x00\x00\x49\x44\x41\x54\x28\xcf"
    "\x01\x08\x03\xf7\xfc\x01\x79\x6e\x54\x99\x77\x03\xfa\x3d\xe7\xf5\x07\x77\xff\xdf\x00\x82\x0a\xe4\xf8\x5c\xef\xf9"
    "\xf4\x95\xfc\xbc\xfd\xc5\x02\x4e\x14\xfe\x42\xf4\x16\x22\x15\x7c\xd8\xac\xc6\xf5\xf6\xe3\xe1\x35\xff\xc1\xde\x8b"
    "\xff\x0d\x01\x61\xe9\x0e\x07\xdb\xf6\x08\x01\x27\x22\xe0\xfd\x5f\xe8\x44\x1f\x49\x15\x48\x09\xde\xf9\x93\xf3\xc9"
    "\x38\x6c\xf2\x54\x13\x5d\x0b\xdf\x14\x71\xe4\x1a\x04\xc7\x14\xea\x0d\x32\x09\xe2\x2a\xdd\x09\x9b\xf2\x91\xdc\x0b"
    "\x20\xad\x08\xa3\x04\x7a\x00\xcf\x19\x28\xfb\x7a\xd6\x98\xf3\x47\xfd\xc7\x17\x05\xe8\x7a\x1c\x79\x21\xff\x26\x26"
    "\x26\xff\x20\x20\x20\xff\x24\x24\x24\xff\x20\x20\x20\xff\x24\x24\x24\xff\x25\x25\x25\xff\x27\x27\x27\xff\x1f\x1f"
    "\x1f\xff\x24\x24\x24\xff\x23\x23\x23\xff\x23\x23\x23\xff\x23\x23\x23\xff\x27\x27\x27\xff\x29\x29\x29\xff\x29\x29"
    "\x29\xff\x23\x23\x23\xff\x22\x22\x22\xff\x23\x23\x23\xff\x25\x25\x25\xff\x21\x21\x21\xff\x20\x20\x20\xff\x1f\x1f"
    "\x1f\xff\x21\x21\x21\xff\x28\x28\x28\xff\x26\x26\x26\xff\x26\x26\x26\xff\x28\x28\x28\xff\x25\x25\x25\xff\x25\x25"
    "\x25\xff\x26\x26\x26\xff\x20\x20\x20\xff\x26\x26\x26\xff\x26\x26\x26\xff\x25\x25\x25\xff\x28\x28\x28\xff\x20\x20"
    "\x20\xff\x23\x23\x26\x03\xec\xf6\x0b\x66\x49\x81\x12\x20\x1b\xc3\x2b\x6d\xdf\xa2\x0b\x93\x21\x2c\xf4\xed\xf1\xc7"
    "\x0a\xd1\x00\x00\x0d\xfc\xfd\x95\x26\x28\xf7\xa1\x0c\x34\xea\x66\x0c\x79\xd7\xeb\x01\x52\xd9\xf2\x03\x18\x0e\x55"
    "\x9f\x8b\xc6\x08\x4b\xf5\x4e\xfc\xf9\xf8\xe2\x1b\x34\x14\xe4\xf2\xa4\xed\x7f\x07\xaf\xeb\x2a\xf2\x6a\xdb\xb0\xf0"
    "\xb3\xf8\x6e\xe1\x5b\xf5\x65\x01\x75\xed\xaf\x19\xd7\xec\x3a\x05\xb5\xee\xfb\x11\x8d\x0f\x9a\xe8\xb9\xf3\xe1\xeb"
    "\xbe\xff\xc9\x09\x95\xfe\xe3\xfe\xf8\x2e\x4c\x20\x7a\x0e\x45\xf9\xc6\x09\xe6\x12\x3c\xf9\x3b\xf8\x1b\x0f\xdd\x07"
    "\x4a\xf9\x22\xf2\x21\xed\x34\x25\xa3\x01\x22\xf6\x85\x7e\x43\x0b\xff\xe2\xe1\xef\xfd\xa6\xfe\x77\xde\x94\x04\xe3"
    "\x04\xd1\xe8\x04\xd8\xcb\xf1\x94\x02\x01\xeb\xf9\xf7\xb2\x02\x4a\x10\xa2\x0d\xd1\xe8\x16\xef\xb0\x02\x28\x05\xd0"
    "\xfa\x56\x04\x96\xf0\x5a\x14\x6c\x0a\xf3\x14\x6a\x1c\x7c\x17\x89\xfa\x78\x32\x24\x27\xbc\xe5\xf5\x4e\xfc\xf9\xf8"
    "\xe2\x1b\x34\x14\xe4\xf2\xa4\xed\x7f\x07\xaf\xeb\x2a\xf2\x6a\xdb\xb0\xf0\xb3\xf8\x6e\xe1\x5b\xf5\x65\x01\x75\xed"
    "\xaf\x19\xd7\xec\x3a\x05\xb5\xee\xfb\x11\x8d\x0f\x9a\xe8\xb9\xf3\xe1\xeb\xbe\xff\xc9\x09\x95\xfe\xe3\xfe\xf8\x2e"
    "\x4c\x20\x7a\x0e\x45\xf9\xc6\x09\xe6\x12\x3c\xf9\x3b\xf8\x1b\x0f\xdd\x07\x4a\xf9\x22\xf2\x21\xed\x34\x25\xa3\x01"
    "\x22\xf6\x85\x7e\x43\x0b\xff\xe2\xe1\xef\xfd\xa6\xfe\x77\xde\x94\x04\xe3\x04\xd1\xe8\x04\xd8\xcb\xf1\x94\x02\x01"
    "\xeb\xf9\xf7\xb2\x02\x4a\x10\xa2\x0d\xd1\xe8\x16\xef\xb0\x02\x28\x05\xd0\xfa\x56\x04\x96\xf0\x5a\x14\x6c\x0a\xf3"
    "\x14\x6a\x1c\x7c\x17\x89\xfa\x7a\x32\x24\x27\xbc\xe5\x8c\x3c\x6d\x28\x15\x00\x00\x1c\x18\x14\xa8\x00\x00\x01\x86"
    "\x11\xb4\x17\xf4\xe6\xfb\xfc\xe7\xe9\x0c\xde\x5d\x04\xef\x64\x28\x0b\x06\xe1\x10\xc9\xfb\xfe\x04\xce\xf6\xa3\xf8"
    "\xc0\xd9\x8a\x07\xac\xf5\xf6\x03\x45\x0f\x44\xfb\xce\x24\xeb\xf2\xf2\x01\x8f\xe1\xa4\xfc\x8c\xfd\x28\xfa\x62\xec"
    "\x0e\xe8\xca\x00\x00\x17\xea\x0d\xde\x02\x42\xfd\x15\xec\xcc\x07\xbf\xec\x58\x01\x5c\x0a\xff\xf9\x1d\x00\x8c\xf4"
    "\x6f\x13\x74\x06\x6d\xd6\x8c\x11\x91\xfa\x93\x22\x5c\xf4\x45\xe9\x0c\xff\x58\x24\xc0\x0a\x07\x29\x47\xae\x7b\x7f"
    "\xfc\xf6\xb7\xa0\xa3\x00\x00\x00\x25\x74\x45\x58\x74\x64\x61\x09\x65\x3a\x63\x72\x65\x61\x74\x65\x00\x32\x30\x32"
    "\x36\x2d\x31\x32\x2d\x30\x38\x54\x31\x33\x3a\x34\x36\x3a\x31\x39\x2b\x30\x30\x3a\x30\x30\xd8\x9d\x55\xba\x00\x00"
    "\x00\x25\x74\x45\x58\x74\x64\x61\x74\x65\x3a\x6d\x6f\x64\x69\x66\x79\x00\x32\x30\x32\x36\x2d\x31\x32\x2d\x30\x38"
    "\x54\x31\x33\x3a\x34\x36\x3a\x31\x39\x2b\x30\x30\x3a\x30\x30\xa9\xc0\xed\x06\x00\x00\x00\x00\x49\x45\x4e\x44\xae"
    "\x42\x60\x82";

TEST_F(TextureTest, APngWithAnEmptyFirstDataChunkIsRefused) {
  Basalt::TextureGL* texture = New("idat.png");
  EXPECT_FALSE(Load(texture, std::string(kEmptyIdatPng, sizeof kEmptyIdatPng - 1)));
  EXPECT_EQ(texture->GetGLTexture(), 0u);
  EXPECT_NE(LogText().find("(ERROR) TextureGL::SetData(): Failed to create texture"), std::string::npos);
}

// Found by the fuzzer: a JPEG whose Huffman table counts 2040 codes, which
// stb_image would write into room for 256.
const char kOverfullHuffmanJpeg[] =
    "\xff\xd8\xff\xc4\x10\x00\x00\x00\x00\x00\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
    "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x60\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x08\x00\x00\x00\x00"
    "\x00\x00\x84\x00\x00\x01\x00\x09\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xea";

// The same behind fill bytes, which the decoder skips before the start marker.
const char kOverfullHuffmanJpegAfterFill[] =
    "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xd8\xff\xc4\x01\x00\x00\x00\x0a\x00\x00\x0a\x00\x00\x00\x00\x94"
    "\x01\x3a\x00\x40\x00\x10\x00\x08\x00\x20\x08\x8f\xff\xff\xff\xff\xff\xff\xb6\x00\x00\x00\x00\x00\xff\x8f\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xc4\xc4\xc4\xc4\xc4\xc4\xff\x12\x91";

TEST_F(TextureTest, AJpegWithAnOverfullHuffmanTableIsRefusedBeforeDecoding) {
  for (const std::string& found :
       {std::string(kOverfullHuffmanJpeg, sizeof kOverfullHuffmanJpeg - 1),
        std::string(kOverfullHuffmanJpegAfterFill, sizeof kOverfullHuffmanJpegAfterFill - 1)}) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(found.data());
    EXPECT_FALSE(Basalt::JpegHuffmanTablesFit(bytes, static_cast<unsigned>(found.size())));
    Basalt::TextureGL* texture = New("huffman.jpg");
    EXPECT_FALSE(Load(texture, found));
    EXPECT_EQ(texture->GetGLTexture(), 0u);
  }
  EXPECT_NE(LogText().find("Failed to create texture (code: 0): bad Huffman table"), std::string::npos);
  // One table of 1 code and one of 256 (two counts of 128) in a single segment fit.
  std::string fits("\xff\xd8\xff\xc4\x01\x25\x00\x01", 8);
  fits += std::string(15, '\0') + "\x07" + "\x10\x80\x80" + std::string(14, '\0') + std::string(256, '\x05');
  EXPECT_TRUE(Basalt::JpegHuffmanTablesFit(reinterpret_cast<const unsigned char*>(fits.data()),
                                           static_cast<unsigned>(fits.size())));
  EXPECT_TRUE(Basalt::JpegHuffmanTablesFit(reinterpret_cast<const unsigned char*>("not a jpeg"), 10));
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

namespace {

using Basalt::PnmVerdict;

PnmVerdict Check(const std::string& bytes) {
  return Basalt::CheckPnm(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned>(bytes.size()));
}

// Found by the fuzzer: a PGM header whose width has 94 digits, which
// stb_image would multiply into an int until it overflows.
TEST_F(TextureTest, APnmHeaderWithTooLongANumberIsRefusedBeforeDecoding) {
  const std::string found = "P5" + std::string(94, '5');
  EXPECT_EQ(Check(found), PnmVerdict::kNumberTooLong);
  Basalt::TextureGL* texture = New("long.pgm");
  EXPECT_FALSE(Load(texture, found));
  EXPECT_NE(LogText().find("Failed to create texture (code: 0): bad image header"), std::string::npos);
  // A plain 2 x 2 grey image with a comment in its header still loads.
  const std::string plain = std::string("P5\n# grey\n2 2\n255\n") + "\x10\x20\x30\x40";
  EXPECT_EQ(Check(plain), PnmVerdict::kPasses);
  EXPECT_TRUE(Load(New("plain.pgm"), plain));
}

// Found by the fuzzer: 18 bytes of PPM header promising 603030 x 666 pixels,
// for which stb_image would allocate 1.2 GB before finding the file empty
// (and keep the buffer's garbage as pixels when the file ends early).
TEST_F(TextureTest, APnmWhosePixelsRunPastItsEndIsRefusedAsTruncated) {
  const std::string found("P6603030\v666\x0f" "036\xe8", 18);
  EXPECT_EQ(Check(found), PnmVerdict::kPixelsMissing);
  EXPECT_FALSE(Load(New("huge.ppm"), found));
  EXPECT_NE(LogText().find("Failed to create texture (code: 0): truncated image"), std::string::npos);
  // One byte short of a 2 x 2 grey image, and 16-bit samples counted twice.
  EXPECT_EQ(Check(std::string("P5 2 2 255\n") + "\x10\x20\x30"), PnmVerdict::kPixelsMissing);
  EXPECT_EQ(Check(std::string("P5 2 2 65535\n") + std::string(7, '\x10')), PnmVerdict::kPixelsMissing);
  const std::string colour("P6 1 1 255 \xff\x00\x00", 14);
  EXPECT_EQ(Check(colour), PnmVerdict::kPasses);
  EXPECT_TRUE(Load(New("red.ppm"), colour));
}

}  // namespace

namespace {

// Found by the fuzzer: a 16-bit PPM (maximum 661), which this stb_image
// converts to four channels with its 8-bit code and overruns its buffer.
TEST_F(TextureTest, ASixteenBitPnmIsRefusedBeforeDecoding) {
  const std::string found(
      "\x50\x36\x31\x0b\x0b\x0b\x32\x0b\x36\x36\x31\x0b\x0b\x0b\x32\x0b\x36\x0b\x0b\xea\x0b\x0b\x0b\x0b\x0b\x0b\x0b"
      "\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x31\x0b\x0b\xea\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x0b\x31\x08",
      54);
  EXPECT_EQ(Check(found), PnmVerdict::kSixteenBit);
  EXPECT_FALSE(Load(New("deep.ppm"), found));
  EXPECT_NE(LogText().find("Failed to create texture (code: 0): 16-bit PGM/PPM not supported"), std::string::npos);
  EXPECT_EQ(Check(std::string("P5 2 2 65535\n") + std::string(8, '\x10')), PnmVerdict::kSixteenBit);
}

}  // namespace

namespace {

bool PngComplete(const std::string& bytes) {
  return Basalt::PngChunksComplete(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   static_cast<unsigned>(bytes.size()));
}

// Found by the fuzzer (the file is in tests/data/images): a 949-byte PNG whose
// second data chunk announces 1172898579 bytes, for which stb_image grew its
// buffer to 2 GB before finding them missing.
TEST_F(TextureTest, APngWhoseChunkRunsPastItsEndIsRefusedBeforeDecoding) {
  const std::string found = test::ReadFile(kImages + "fuzz_png_huge_idat.png");
  ASSERT_EQ(found.size(), 949u);
  EXPECT_FALSE(PngComplete(found));
  EXPECT_FALSE(Load(New("huge.png"), found));
  EXPECT_NE(LogText().find("Failed to create texture (code: 0): truncated image"), std::string::npos);
  // A real PNG passes whole and is refused once cut inside its data.
  const std::string real = test::ReadFile(kImages + "rgb_16x8.png");
  EXPECT_TRUE(PngComplete(real));
  EXPECT_FALSE(PngComplete(real.substr(0, 60)));
  EXPECT_TRUE(Load(New("real.png"), real));
}

}  // namespace
