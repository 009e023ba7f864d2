// How hard a pad was struck: the 360 kits' strength fields as SDL reads them
// through Linux's xpad driver, and which reading of a poll belongs to which press.
#include <gtest/gtest.h>

#include "basalt/input/controller_velocity.h"
#include "basalt/input/press_velocities.h"
#include "tests/support/virtual_kit.h"

namespace {

using Basalt::InputEvent;
using Basalt::kXbox360DrumVelocity;
using Basalt::VelocityAxis;
using Basalt::VelocityFromAxis;
using Basalt::VelocitySource;

// The reading SDL gets for a field of a 360 kit's report: xpad inverts the Y axes.
int16_t Reading(uint16_t field, bool yAxis) {
  return static_cast<int16_t>(yAxis ? ~field : field);
}

TEST(ControllerVelocityTest, A360KitsFieldCountsSoftnessInItsLowFifteenBits) {
  const VelocityAxis red = *VelocitySource(&kXbox360DrumVelocity, 1);
  const VelocityAxis yellow = *VelocitySource(&kXbox360DrumVelocity, 3);
  for (const VelocityAxis& pad : {red, yellow}) {
    const bool y = pad.axis == 1;
    const uint16_t top = y ? 0x8000 : 0;  // the bit a kit sets on its Y fields, which says nothing
    EXPECT_EQ(VelocityFromAxis(pad, Reading(top | 0x0000, y)), 1.0f) << int(pad.axis);
    EXPECT_EQ(VelocityFromAxis(pad, Reading(top | 0x7FFF, y)), 0.0f) << int(pad.axis);
    EXPECT_NEAR(VelocityFromAxis(pad, Reading(top | 0x4000, y)), 0.5f, 1e-4f) << int(pad.axis);
    EXPECT_NEAR(VelocityFromAxis(pad, Reading(0x6000, y)), 0.25f, 1e-4f) << int(pad.axis);
    EXPECT_NEAR(VelocityFromAxis(pad, Reading(0x8000 | 0x6000, y)), 0.25f, 1e-4f) << int(pad.axis);
  }
  // A Rock Band 1 kit reports no strength: its fields stay 0, full strength.
  EXPECT_EQ(VelocityFromAxis(red, 0), 1.0f);
  EXPECT_EQ(VelocityFromAxis(yellow, -1), 1.0f);
}

// A poll as a driver hands it on: presses and axis motions in order, then
// the axes as they stand at its end.
class PressVelocitiesTest : public ::testing::Test {
 protected:
  InputEvent* Press(int joy, int button) {
    InputEvent& press = m_events[m_count++];
    press.type = InputEvent::ButtonDown;
    press.joy = static_cast<int8_t>(joy);
    press.code = static_cast<uint8_t>(button);
    m_velocities.Wait(&press, *VelocitySource(&kXbox360DrumVelocity, button));
    return &press;
  }
  void Settle() {
    m_velocities.Settle([this](int joy, int axis) { return m_standing[joy][axis]; });
  }
  static int16_t Red(float velocity) { return test::Xbox360VelocityReading(0, velocity); }

  InputEvent m_events[8];
  int m_count = 0;
  int16_t m_standing[2][6] = {};
  Basalt::PressVelocities m_velocities;
};

// xpad reports a report's buttons before its sticks: the strength comes after the press.
TEST_F(PressVelocitiesTest, APressTakesTheFirstMotionOfItsAxisAfterIt) {
  InputEvent* red = Press(0, 1);
  m_velocities.AxisMoved(0, 3, Red(0.9f));  // blue's axis
  m_velocities.AxisMoved(1, 0, Red(0.8f));  // another kit's red
  m_velocities.AxisMoved(0, 0, Red(0.25f));
  m_velocities.AxisMoved(0, 0, Red(0.0f));  // the release zeroing the field, later in the poll
  m_standing[0][0] = Red(0.0f);
  Settle();
  EXPECT_NEAR(red->velocity, 0.25f, 1e-4f);
}

// A report that set the strength before the button's own report: the release
// zeroing the field later in the poll is not the strike's.
TEST_F(PressVelocitiesTest, APressReleasedBeforeItsAxisMovesTakesItAsItStoodAtTheRelease) {
  InputEvent* red = Press(0, 1);
  m_velocities.Released(0, 2, Red(0.9f));  // another button
  m_velocities.Released(0, 1, Red(0.35f));
  m_velocities.AxisMoved(0, 0, Red(0.0f));
  Settle();
  EXPECT_NEAR(red->velocity, 0.35f, 1e-4f);
}

TEST_F(PressVelocitiesTest, TwoStrikesOfAPadInOnePollEachTakeTheirOwn) {
  InputEvent* first = Press(0, 1);
  m_velocities.AxisMoved(0, 0, Red(0.4f));
  InputEvent* second = Press(0, 1);
  m_velocities.AxisMoved(0, 0, Red(0.7f));
  Settle();
  EXPECT_NEAR(first->velocity, 0.4f, 1e-4f);
  EXPECT_NEAR(second->velocity, 0.7f, 1e-4f);
}

// The strength came in an earlier report, or is the same as the last strike's.
TEST_F(PressVelocitiesTest, APressWhoseAxisDoesNotMoveTakesItAsItStandsAtTheEnd) {
  m_standing[1][1] = test::Xbox360VelocityReading(1, 0.6f);
  InputEvent* yellow = Press(1, 3);
  InputEvent* red = Press(1, 1);
  m_velocities.AxisMoved(0, 1, 0);  // kit 0's yellow
  Settle();
  EXPECT_NEAR(yellow->velocity, 0.6f, 1e-4f);
  EXPECT_EQ(red->velocity, 1.0f);  // its field at rest: full strength
  m_velocities.AxisMoved(1, 0, Red(0.1f));  // after the poll: no press waits any more
  EXPECT_EQ(red->velocity, 1.0f);
}

}  // namespace
