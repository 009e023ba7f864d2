#include "basalt/graphics/gl/point_list_gl.h"

#include <gtest/gtest.h>

#include "basalt/graphics/gl/texture_gl.h"
#include "basalt/graphics/index_buffer.h"
#include "tests/support/graphics_fixture.h"

namespace {

class PointListTest : public test::GraphicsFixture {};

void DrawPoints(void* points) { static_cast<Basalt::IPointList*>(points)->Render(Basalt::mat4::Identity()); }

TEST_F(PointListTest, TheStarFieldDrawsItsPointsInTheirColourThroughStarTga) {
  auto* star = static_cast<Basalt::TextureGL*>(Materials().NewTexture(Basalt::PointListGL::kTextureName));
  const unsigned white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  ASSERT_TRUE(star->SetData(white, 32, 2, 2));
  std::unique_ptr<Basalt::IPointList> list = Device().CreatePointList();
  ASSERT_NE(list, nullptr);
  auto* stars = static_cast<Basalt::PointListGL*>(list.get());
  Device().SetFramePass(Basalt::IGraphicsDevice::kScenePass, &DrawPoints, stars);
  const Basalt::VertexPoint points[2] = {{0, 0, 10, 0.3f, 0xFFFF2000}, {100, 0, 10, 0.3f, 0xFF00FF00}};
  ASSERT_TRUE(stars->Fill(points, 2));
  ASSERT_TRUE(stars->Fill(points, 1));  // fewer points keep the buffer
  EXPECT_EQ(stars->GetCapacity(), 2u);
  EXPECT_EQ(stars->GetCount(), 1u);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(kWidth / 2, kHeight / 2), 0xFFFF2000u));
  EXPECT_EQ(Device().ReadPixel(0, 0), kClearPixel);
}

TEST_F(PointListTest, BuffersRefuseFillsBeyondTheirEndAndFillWholeWithCountZero) {
  std::unique_ptr<Basalt::IVertexBuffer> vertices(Device().CreateVertexBuffer());
  ASSERT_TRUE(vertices->Initialize(4, 20, Basalt::VTYPE_POINT, Basalt::kUsageDynamic));
  const Basalt::VertexPoint points[4] = {};
  EXPECT_TRUE(vertices->Fill(points, 0, 0, Basalt::kFillDiscard));
  EXPECT_FALSE(vertices->Fill(points, 4, 20, 0));
  EXPECT_NE(LogText().find("Failed to lock GL VertexBuffer (code: "), std::string::npos);
  std::unique_ptr<Basalt::IIndexBuffer> indices(Device().CreateIndexBuffer());
  EXPECT_FALSE(indices->Activate());  // not initialized
  ASSERT_TRUE(indices->Initialize(3, Basalt::kUsageStatic));
  EXPECT_FALSE(indices->Fill(points, 4, 0, 0));
  EXPECT_NE(LogText().find("Failed to lock GL IndexBuffer (code: "), std::string::npos);
  EXPECT_TRUE(vertices->Shutdown());
  EXPECT_FALSE(vertices->Shutdown());
}

}  // namespace
