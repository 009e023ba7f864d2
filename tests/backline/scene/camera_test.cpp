#include "backline/scene/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CameraTest, ApproachesItsTargetExponentiallyWithoutPassingIt) {
  Camera camera;
  camera.position = {0.0f, 3.0f, -100.0f};
  camera.Advance(1.0f / 60.0f);
  EXPECT_EQ(camera.position.z, -100.0f);  // no target yet: standing still

  camera.MoveTo({0.0f, 8.0f, -32.0f}, 1.0f);
  camera.Advance(1.0f / 60.0f);
  EXPECT_NEAR(camera.position.y, 3.0f + 5.0f / 60.0f, 1e-5f);
  EXPECT_NEAR(camera.position.z, -100.0f + 68.0f / 60.0f, 1e-4f);
  for (int frame = 0; frame < 600; ++frame) {
    const float before = camera.position.z;
    camera.Advance(1.0f / 60.0f);
    ASSERT_LE(camera.position.z, -32.0f);
    ASSERT_GE(camera.position.z, before);
  }
  EXPECT_NEAR(camera.position.z, -32.0f, 0.01f);  // 68 x (59/60)^601

  camera.MoveTo({4.0f, 0.0f, 0.0f}, 0.05f);  // a move shorter than the frame lands on the target
  camera.Advance(0.1f);
  EXPECT_EQ(camera.position.x, 4.0f);
}

TEST(CameraTest, ViewsTiltedDownwardsFromItsWorldPosition) {
  Camera camera;
  camera.worldPosition = {1.0f, 8.0f, -32.0f};
  const Basalt::mat4 view = camera.ViewMatrix();
  const float c = std::cos(0.5f), s = std::sin(0.5f);
  const float expected[4][4] = {{1, 0, 0, 0}, {0, c, -s, 0}, {0, s, c, 0}, {-1.0f, -8.0f, 32.0f, 1}};
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) EXPECT_FLOAT_EQ(view.m[row][col], expected[row][col]) << row << "," << col;
}

}  // namespace
