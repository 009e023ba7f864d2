#include "backline/pads/velocity_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "backline/common/app_cvars.h"
#include "basalt/foundation/cvar_system.h"
#include "tests/support/engine_fixture.h"

namespace {

double Decibels(float ratio) { return 20.0 * std::log10(static_cast<double>(ratio)); }

TEST(VelocityCurveTest, EachCurveSpansTheFloorToFullLevel) {
  EXPECT_EQ(VelocityLevel(0.3f, kVelocityOff, 10), 1.0f);
  EXPECT_FLOAT_EQ(VelocityLevel(0.5f, kVelocityLinear, 10), 0.55f);
  EXPECT_FLOAT_EQ(VelocityLevel(0.5f, kVelocitySoft, 10), 0.325f);
  for (int curve : {kVelocityLinear, kVelocitySoft}) {
    EXPECT_EQ(VelocityLevel(1.5f, curve, 10), 1.0f) << curve;  // out of range: clamped
    EXPECT_FLOAT_EQ(VelocityLevel(-0.2f, curve, 25), 0.25f) << curve;
  }
  // The soft curve without a floor: half strength is 12 dB down, a quarter 24 dB.
  EXPECT_NEAR(Decibels(VelocityLevel(0.5f, kVelocitySoft, 0)), -12.04, 0.01);
  EXPECT_NEAR(Decibels(VelocityLevel(0.25f, kVelocitySoft, 0)), -24.08, 0.01);
}

class VelocitySettingsTest : public test::EngineFixture {
 protected:
  void TearDown() override {
    Basalt::CVarSystem::RestoreDefaults();
    EngineFixture::TearDown();
  }
};

TEST_F(VelocitySettingsTest, TheSoftCurveAboveATenPercentFloorIsTheDefaultAndTheSettingsKeepToTheirRanges) {
  EXPECT_FLOAT_EQ(VelocityLevel(0.5f), 0.325f);
  const std::string settings =
      "g_velocityCurve = 3\ng_velocityFloor = 101\ng_velocityFloor = -1\ng_velocityCurve = 1\ng_velocityFloor = 20\n";
  Basalt::CVarSystem system;
  system.ParseFile(settings.data(), static_cast<unsigned>(settings.size()), "settings.cfg");
  EXPECT_EQ(g_velocityCurve, kVelocityLinear);
  EXPECT_EQ(g_velocityFloor, 20);
  EXPECT_FLOAT_EQ(VelocityLevel(0.5f), 0.6f);
  const std::string log = LogText();
  for (const char* refused : {"g_velocityCurve = 3", "g_velocityFloor = 101", "g_velocityFloor = -1"})
    EXPECT_NE(log.find(refused), std::string::npos) << refused << "\n" << log;
}

}  // namespace
