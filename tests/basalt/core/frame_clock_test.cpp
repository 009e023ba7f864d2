#include "basalt/core/frame_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "basalt/core/frame_pacer.h"

namespace {

TEST(FrameClockTest, FirstFrameIsZeroAndLongFramesAreClamped) {
  Basalt::FrameClock clock;
  clock.Tick(5000);
  EXPECT_EQ(clock.TimeKey(), 0.0f);
  clock.Tick(5016);
  EXPECT_FLOAT_EQ(clock.TimeKey(), 0.016f);
  clock.Tick(7000);
  EXPECT_FLOAT_EQ(clock.TimeKey(), 0.1f);
}

TEST(FrameClockTest, AWrappedTickGivesTheSmallTrueDifference) {
  Basalt::FrameClock clock;
  clock.Tick(0xFFFFFFF0u);
  clock.Tick(0x00000010u);
  EXPECT_FLOAT_EQ(clock.TimeKey(), 0.032f);
}

TEST(FrameClockTest, FrameRateCountsFramesOfEachAccumulatedSecond) {
  Basalt::FrameClock clock;
  unsigned now = 1000;
  clock.Tick(now);
  for (int i = 0; i < 10; ++i) clock.Tick(now += 95);
  EXPECT_EQ(clock.FramesPerSecond(), 0u);
  clock.Tick(now += 95);  // 1.045 s over 12 frames, the first of them 0 s long
  EXPECT_EQ(clock.FramesPerSecond(), 12u);
  // Hitches count as 0.1 s only: 5 of them and 46 frames of 10 ms make the next second.
  for (int i = 0; i < 5; ++i) clock.Tick(now += 3000);
  for (int i = 0; i < 45; ++i) clock.Tick(now += 10);
  EXPECT_EQ(clock.FramesPerSecond(), 12u);
  clock.Tick(now += 10);
  EXPECT_EQ(clock.FramesPerSecond(), 51u);
}

// Only a lower bound: a loaded machine may sleep longer, never shorter.
TEST(FramePacerTest, FramesTakeAtLeastTheirShareOfTheSecond) {
  using Clock = std::chrono::steady_clock;
  Basalt::FramePacer pacer;
  pacer.Wait(0);
  const Clock::time_point start = Clock::now();
  for (int frame = 0; frame < 5; ++frame) pacer.Wait(100);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(50));
}

TEST(FramePacerTest, LeftAloneTheLoopDrawsAtTheIdleRateUnlessThatIsHigher) {
  EXPECT_EQ(Basalt::FrameRateCap(120, 30, false), 120);
  EXPECT_EQ(Basalt::FrameRateCap(120, 30, true), 30);
  EXPECT_EQ(Basalt::FrameRateCap(0, 30, true), 30);  // no cap while used, the idle one when not
  EXPECT_EQ(Basalt::FrameRateCap(20, 30, true), 20);
  EXPECT_EQ(Basalt::FrameRateCap(120, 0, true), 120);
}

}  // namespace
