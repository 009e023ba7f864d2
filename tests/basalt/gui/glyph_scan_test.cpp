#include "basalt/gui/glyph_scan.h"

#include <gtest/gtest.h>

#include "tests/support/font_images.h"

namespace {

using Basalt::TextureRect;

Basalt::FontGlyphs Scan(const test::FontImage& image) {
  Basalt::FontGlyphs glyphs;
  const std::vector<unsigned char> pixels = image.FilePixels();
  Basalt::ScanGlyphs(pixels.data(), image.Width(), image.Height(), &glyphs);
  return glyphs;
}

void ExpectBox(const TextureRect& box, int left, int top, int right, int bottom) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.right, right);
  EXPECT_EQ(box.bottom, bottom);
}

bool IsEmpty(const TextureRect& box) { return box.left == 0 && box.top == 0 && box.right == 0 && box.bottom == 0; }

TEST(GlyphScanTest, TwoGlyphsInABandWithItsBaselineMarker) {
  test::FontImage image(12, 8);
  image.Fill(1, 2, 3, 5);  // 'a': columns 1-2, rows 2-4
  image.Fill(4, 2, 6, 5);  // 'b': columns 4-6, the last only faintly
  image.Fill(6, 3, 7, 4, 1);
  image.Set(0, 3, 255);  // the baseline is row 4
  const Basalt::FontGlyphs glyphs = Scan(image);
  EXPECT_EQ(glyphs.numGlyphs, 2u);
  ExpectBox(glyphs.boxes['a'], 1, 1, 3, 6);
  ExpectBox(glyphs.boxes['b'], 4, 1, 7, 6);
  EXPECT_EQ(glyphs.offsets['a'], -2);
  EXPECT_EQ(glyphs.offsets['b'], -2);
  EXPECT_EQ(glyphs.spaceWidth, 1u);  // (2 + 3) / 2 / 2
  EXPECT_TRUE(IsEmpty(glyphs.boxes['c']));
  EXPECT_TRUE(IsEmpty(glyphs.boxes[' ']));
  EXPECT_EQ(glyphs.offsets['c'], 0);
}

TEST(GlyphScanTest, ABandWithoutMarkerKeepsTheBaselineFromBefore) {
  test::FontImage image(8, 12);
  image.Fill(1, 1, 3, 3);  // 'a', no marker: baseline row 0
  image.Fill(1, 4, 3, 7);  // 'b', marker above row 5
  image.Set(0, 4, 255);
  image.Fill(1, 8, 3, 10);  // 'c', no marker after a band: baseline -1
  const Basalt::FontGlyphs glyphs = Scan(image);
  ASSERT_EQ(glyphs.numGlyphs, 3u);
  EXPECT_EQ(glyphs.offsets['a'], 1);
  EXPECT_EQ(glyphs.offsets['b'], -1);
  EXPECT_EQ(glyphs.offsets['c'], 9);
  ExpectBox(glyphs.boxes['c'], 1, 7, 3, 11);
}

TEST(GlyphScanTest, GlyphsPastTheNinetySecondAndUnfinishedOnesAreDropped) {
  test::FontImage image(200, 8);
  for (unsigned n = 0; n < 93; ++n) image.Fill(1 + 2 * n, 1, 2 + 2 * n, 3);
  image.Fill(190, 5, 200, 7);  // runs into the last column: never closed
  const Basalt::FontGlyphs glyphs = Scan(image);
  EXPECT_EQ(glyphs.numGlyphs, 92u);
  ExpectBox(glyphs.boxes['a'], 1, 0, 2, 4);
  ExpectBox(glyphs.boxes['|'], 183, 0, 184, 4);
  EXPECT_EQ(glyphs.spaceWidth, 0u);  // half of a mean width of 1
}

}  // namespace
