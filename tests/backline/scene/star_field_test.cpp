#include <gtest/gtest.h>

#include <memory>

#include "backline/scene/scene_graph.h"
#include "basalt/core/core.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/texture.h"
#include "tests/support/graphics_fixture.h"

namespace {

class StarFieldTest : public test::GraphicsFixture {};

// The program owns its star field: made with the scene graph, drawn in the
// walk of the whole tree (the device's scene pass), gone at Shutdown.
TEST_F(StarFieldTest, TheSceneGraphsStarFieldIsDrawnInTheScenePassUntilShutdown) {
  Basalt::ITexture* star = Materials().NewTexture(Basalt::IPointList::kTextureName);
  const unsigned white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  ASSERT_TRUE(star->SetData(white, 32, 2, 2));
  SceneGraph graph;
  ASSERT_EQ(graph.GetStarField(), nullptr);
  ASSERT_TRUE(graph.Initialize());
  ASSERT_NE(graph.GetStarField(), nullptr);
  EXPECT_EQ(graph.GetStarField()->GetCount(), 0u);
  const Basalt::VertexPoint point = {0, 0, 10, 0.3f, 0xFFFF2000};
  ASSERT_TRUE(graph.GetStarField()->Fill(&point, 1));
  TheCore().SetSceneGraph(&graph);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_TRUE(test::NearColour(Device().ReadPixel(kWidth / 2, kHeight / 2), 0xFFFF2000u));
  EXPECT_EQ(Device().ReadPixel(0, 0), kClearPixel);
  graph.Shutdown();
  EXPECT_EQ(graph.GetStarField(), nullptr);
  ASSERT_TRUE(Device().RenderFrame());
  EXPECT_EQ(Device().ReadPixel(kWidth / 2, kHeight / 2), kClearPixel);
  TheCore().SetSceneGraph(nullptr);
}

}  // namespace
