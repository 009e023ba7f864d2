#include "backline/controls/metronome.h"

#include <gtest/gtest.h>

#include "basalt/foundation/clock.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/virtual_input.h"

namespace {

uint32_t g_now = 0;  // ms
Basalt::TimeNs FakeNow() { return static_cast<Basalt::TimeNs>(g_now) * Basalt::kNsPerMs; }

class MetronomeTest : public test::VirtualInputTest {
 protected:
  void SetUp() override {
    VirtualInputTest::SetUp();
    g_now = 1000;
    Basalt::SetTimeSource(&FakeNow);
    m_metronome = Metronome();
  }
  void TearDown() override {
    Basalt::SetTimeSource(nullptr);
    VirtualInputTest::TearDown();
  }
  bool Step(uint32_t ms, const Input* input = nullptr) {
    g_now += ms;
    if (input) Frame();
    return UpdateMetronome(&m_metronome, input, static_cast<float>(ms) / 1000.0f);
  }
  test::FakeSound m_sound;
  Metronome m_metronome;
};

// The clicks are the audio clock's; the screen tells it only what changed
// and flashes on each beat it reports.
TEST_F(MetronomeTest, TellsTheAudioClockWhatChangedAndFlashesOnItsBeats) {
  m_metronome.opacity = 0.6f;
  EXPECT_FALSE(Step(5000));  // off: silent and transparent
  EXPECT_EQ(m_metronome.opacity, 0.0f);
  m_metronome.on = true;
  EXPECT_FALSE(Step(10));
  EXPECT_FLOAT_EQ(m_metronome.opacity, 0.03f);
  m_sound.Beat();
  EXPECT_TRUE(Step(10));
  EXPECT_EQ(TempoColour(m_metronome), 0xFF00FF00u);  // the flash at its height
  EXPECT_FALSE(Step(30));
  EXPECT_EQ(TempoColour(m_metronome), 0xFF07F707u);  // less one 30 ms frame
  m_metronome.bpm = 90;
  Step(10);
  m_metronome.on = false;
  Step(10);
  Step(10);
  EXPECT_EQ(m_sound.Log(), "metronome on 120\nmetronome on 90\nmetronome off 90\n");
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
