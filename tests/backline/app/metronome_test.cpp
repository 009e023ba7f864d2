#include "backline/app/metronome.h"

#include <gtest/gtest.h>

#include "backline/app/app_clock.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/virtual_input.h"

namespace {

uint32_t g_now = 0;
uint32_t FakeNow() { return g_now; }

class MetronomeTest : public test::VirtualInputTest {
 protected:
  void SetUp() override {
    VirtualInputTest::SetUp();
    g_now = 0xFFFFFF00u;  // the grid crosses the clock's wrap
    SetTimeMsSource(&FakeNow);
    m_metronome = Metronome();
  }
  void TearDown() override {
    SetTimeMsSource(nullptr);
    VirtualInputTest::TearDown();
  }
  bool Step(uint32_t ms, const CInput* input = nullptr) {
    g_now += ms;
    if (input) Frame();
    return UpdateMetronome(&m_metronome, input, static_cast<float>(ms) / 1000.0f);
  }
  test::FakeSound m_sound;
  Metronome m_metronome;
};

TEST_F(MetronomeTest, ClicksSlot20OnTheBeatAndKeepsItsGrid) {
  m_metronome.opacity = 0.6f;
  EXPECT_FALSE(Step(5000));  // off: silent and transparent
  EXPECT_EQ(m_metronome.opacity, 0.0f);
  m_metronome.on = true;
  EXPECT_TRUE(Step(10));  // long past one interval: the first click comes at once
  EXPECT_FLOAT_EQ(m_metronome.opacity, 0.03f);
  EXPECT_FALSE(Step(500));
  EXPECT_TRUE(Step(30));  // 30 ms late: the grid stays
  EXPECT_EQ(m_sound.Log(), "play 20 1.00\nplay 20 1.00\n");
  EXPECT_EQ(m_metronome.lastTickTime, g_now - 30);
  EXPECT_EQ(TempoColour(m_metronome), 0xFF07F707u);  // flash 0.5 less one 30 ms frame
  EXPECT_FALSE(Step(470));
  EXPECT_TRUE(Step(130));  // 130 ms late is more than 120: the grid restarts now
  EXPECT_EQ(m_metronome.lastTickTime, g_now);
  EXPECT_FLOAT_EQ(m_metronome.opacity, 1.0f);
}

TEST_F(MetronomeTest, HeldArrowKeysStepTheTempoEvery150msWithinItsRange) {
  Start();
  m_metronome.on = true;
  PushKey(SDL_SCANCODE_UP, true);
  for (int frame = 0; frame < 10; ++frame) Step(100, &m_input);  // a step every other frame
  EXPECT_EQ(m_metronome.bpm, 125u);
  m_metronome.bpm = 220;
  Step(200, &m_input);
  EXPECT_EQ(m_metronome.bpm, 220u);
  PushKey(SDL_SCANCODE_UP, false);
  PushKey(SDL_SCANCODE_DOWN, true);
  m_metronome.bpm = 21;
  Step(200, &m_input);
  Step(200, &m_input);
  EXPECT_EQ(m_metronome.bpm, 20u);
}

}  // namespace
