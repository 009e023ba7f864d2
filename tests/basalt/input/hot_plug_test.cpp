// Controllers plugged in and pulled out while the input runs: each arrival is
// found by the next frame, logged as at start-up, and placed; the input
// thread reads it from then on.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basalt/input/controller_places.h"
#include "basalt/input/input.h"
#include "tests/support/virtual_input.h"
#include "tests/support/virtual_kit.h"

namespace {

std::string FoundLine(const char* name, uint32_t key) {
  return "   Found joystick device: \"" + std::string(name) + "\" (" + std::to_string(static_cast<int32_t>(key)) +
         "-0-0-00807368867368)\n";
}

// The strength of every press the input thread hands on; read once removed.
class RecordingStrengths : public Basalt::IInputListener {
 public:
  void OnInputEvent(const Basalt::InputEvent& event) override {
    if (event.type == Basalt::InputEvent::ButtonDown) strengths.push_back(event.velocity);
  }
  void OnInputPoll(Basalt::TimeNs) override {}
  std::vector<float> strengths;
};

class HotPlugTest : public test::VirtualInputTest {
 protected:
  // The log written since the last call.
  std::string NewLog() {
    const std::string log = LogText();
    const std::string fresh = log.substr(m_logSeen);
    m_logSeen = log.size();
    return fresh;
  }
  // Starts the input and lets its first frame write its own lines.
  void StartRunning() {
    Start();
    Frame();
    NewLog();
  }
  SDL_Joystick* AttachGuitarHeroKit() { return Attach(0x12BA, 0x0120, "Guitar Hero4 for PlayStation (R) 3", 13, 1, 4); }
  SDL_Joystick* AttachWiiKit() { return Attach(0x1BAD, 0x3110, "Harmonix Drum Controller for Nintendo Wii", 13, 1, 4); }

  size_t m_logSeen = 0;
};

TEST_F(HotPlugTest, AKitPluggedInLaterIsLoggedTakesTheFirstPlaceAndIsReadAtOnce) {
  StartRunning();
  ASSERT_EQ(m_input.GetNumJoys(), 0);
  const uint32_t changes = m_input.ControllerChanges();

  SDL_Joystick* kit = AttachGuitarHeroKit();
  EXPECT_TRUE(Frame());
  EXPECT_EQ(NewLog(), FoundLine("Guitar Hero4 for PlayStation (R) 3", 0x012012BA) +
                          "    (PS3 Guitar Hero drumset)\n"
                          "   Controller 0 plugged in: \"Guitar Hero4 for PlayStation (R) 3\"\n");
  EXPECT_EQ(m_input.GetNumJoys(), 1);
  EXPECT_EQ(m_input.GetJoyType(0), 0x012012BAu);
  EXPECT_TRUE(m_input.JoyPluggedIn(0));
  EXPECT_EQ(m_input.NumDrums(), 1);
  EXPECT_NE(m_input.ControllerChanges(), changes);

  SetButton(kit, 2, true);
  SDL_JoystickSetVirtualHat(kit, 0, SDL_HAT_DOWN);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 2), 1.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), 18000);
  Frame();
  EXPECT_EQ(NewLog(), "");  // found once
}

TEST_F(HotPlugTest, AKitComesBackToThePlaceItsModelLeftOthersTakeTheFirstFreeOne) {
  SDL_Joystick* drumsetA = AttachDrumsetA();
  SDL_Joystick* wii = AttachWiiKit();
  Start();
  ASSERT_EQ(m_input.GetNumJoys(), 2);
  Detach(drumsetA);
  Detach(wii);
  Frame();
  EXPECT_EQ(m_input.NumDrums(), 0);
  EXPECT_FALSE(m_input.JoyPluggedIn(1));
  NewLog();

  wii = AttachWiiKit();  // its own place, although place 0 is free too
  Frame();
  EXPECT_NE(NewLog().find("   Controller 1 plugged in again: \"Harmonix Drum Controller for Nintendo Wii\"\n"),
            std::string::npos);
  SDL_Joystick* guitarHero = AttachGuitarHeroKit();  // the first free place
  Frame();
  EXPECT_NE(NewLog().find("   Controller 0 plugged in: \"Guitar Hero4 for PlayStation (R) 3\"\n"), std::string::npos);
  AttachDrumsetA();  // its place is taken: the next free one
  Frame();
  EXPECT_NE(NewLog().find("   Controller 2 plugged in: \"Harmonix Drum Kit\"\n"), std::string::npos);

  EXPECT_EQ(m_input.GetNumJoys(), 3);
  EXPECT_EQ(m_input.GetJoyType(0), 0x012012BAu);
  EXPECT_EQ(m_input.GetJoyType(1), 0x31101BADu);
  EXPECT_EQ(m_input.GetJoyType(2), 0x00031BADu);
  EXPECT_TRUE(m_input.IsJoy360(2));
  EXPECT_EQ(m_input.NumDrums(), 3);
  SetButton(guitarHero, 3, true);
  SetButton(wii, 1, true);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 3), 1.0f);
  EXPECT_EQ(m_input.GetJoyButton(1, 1), 1.0f);
  EXPECT_EQ(m_input.GetJoyButton(2, 1), 0.0f);
}

// The wireless 360 kits reach the computer through either receiver; the one
// that names itself "for Xbox" hands on the pads' strength as the other does.
TEST_F(HotPlugTest, A360KitThroughTheOtherReceiverStrikesWithTheStrengthItReports) {
  Start();
  SDL_Joystick* kit = Attach(0x045E, 0x0291, "Xbox 360 Wireless Receiver (XBOX)", 15, 1, 6);
  Frame();
  ASSERT_TRUE(m_input.IsJoy360(0));
  RecordingStrengths listener;
  m_input.SetListener(&listener);
  const int red = 1, axis = test::kXbox360VelocityAxis[red];
  SetAxis(kit, axis, test::Xbox360VelocityReading(axis, 0.3f));
  SetButton(kit, red, true);
  m_input.SetListener(nullptr);
  ASSERT_EQ(listener.strengths.size(), 1u);
  EXPECT_NEAR(listener.strengths[0], 0.3f, 1e-4f);
}

// Where arrivals go, without devices.
class ControllerPlacesTest : public ::testing::Test {
 protected:
  static const Basalt::ControllerModel& Model(uint32_t key) { return *Basalt::FindControllerModel(key); }
  Basalt::ControllerPlaces places;
};

// A controller SDL no longer lists while the input thread has not reported it
// gone holds back the arrivals, so that a kit plugged straight back in finds
// its own place free.
TEST_F(ControllerPlacesTest, APluggedInControllerMissingFromSDLsDevicesIsSeen) {
  places.Take(0, Model(0x00031BAD), "A", 30);
  places.Take(1, Model(0x00031BAD), "B", 31);
  EXPECT_FALSE(places.AnyMissingFrom({31, 30, 40}));
  EXPECT_TRUE(places.AnyMissingFrom({31, 40}));
  places.Leave(0);
  EXPECT_FALSE(places.AnyMissingFrom({31, 40}));
}

}  // namespace
