#include "basalt/input/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "basalt/input/key_codes.h"
#include "tests/support/virtual_input.h"
#include "tests/support/virtual_kit.h"

namespace {

constexpr uint16_t kUnknownVendor = 0x046D, kUnknownProduct = 0xC216;

// The input fixture, plus a count of the keys it reads down and the frame's
// presses written out: "K30" a key, "B1" a button, "H18000" a hat.
class InputTest : public test::VirtualInputTest {
 protected:
  int KeysDown() const {
    int down = 0;
    for (int key = 0; key < Input::kKeys; ++key) down += m_input.GetKeyState(key);
    return down;
  }
  std::string Presses() const {
    int count = 0;
    const Basalt::InputEvent* presses = m_input.GetFramePresses(&count);
    std::string text;
    for (int i = 0; i < count; ++i) {
      const Basalt::InputEvent& press = presses[i];
      text += text.empty() ? "" : " ";
      text += press.type == Basalt::InputEvent::KeyDown      ? "K"
              : press.type == Basalt::InputEvent::ButtonDown ? "B"
                                                             : "H";
      text += std::to_string(press.type == Basalt::InputEvent::HatMoved ? press.value : press.code);
    }
    return text;
  }
};

// What the input thread hands its listener, and on which thread. Read by
// the test only once the listener is removed.
class RecordingListener : public Basalt::IInputListener {
 public:
  struct Seen {
    Basalt::InputEvent event;
    std::thread::id thread;
  };
  void OnInputEvent(const Basalt::InputEvent& event) override { seen.push_back({event, std::this_thread::get_id()}); }
  void OnInputPoll(Basalt::TimeNs now) override {
    lastPoll = now;
    ++polls;
  }
  std::vector<Seen> seen;
  Basalt::TimeNs lastPoll = 0;
  int polls = 0;
};

struct ModelRow {
  uint16_t vendor, product;
  const char* text;
  bool is360, isDrums, countedAsDrumSet;
};

void PrintTo(const ModelRow& row, std::ostream* os) { *os << row.text; }

class RecognitionTest : public InputTest, public ::testing::WithParamInterface<ModelRow> {};

TEST_P(RecognitionTest, FindsTheKitLogsItAndAnswersItsQueries) {
  const ModelRow& row = GetParam();
  Attach(kUnknownVendor, kUnknownProduct, "Dual Action");
  Attach(row.vendor, row.product, "Kit");
  Start();
  const uint32_t key = static_cast<uint32_t>(row.product) << 16 | row.vendor;
  EXPECT_EQ(LogText(),
            "   Found joystick device: \"Dual Action\" (-1038744467-0-0-00807368867368)\n"
            "    (Unrecognized)\n"
            "   Found joystick device: \"Kit\" (" +
                std::to_string(static_cast<int32_t>(key)) + "-0-0-00807368867368)\n" + row.text + "\n");
  EXPECT_EQ(m_input.GetNumJoys(), 1);
  EXPECT_TRUE(m_input.JoystickInitialized(0));
  EXPECT_FALSE(m_input.JoystickInitialized(1));
  EXPECT_EQ(m_input.GetJoyType(0), key);
  EXPECT_EQ(m_input.IsJoy360(0), row.is360);
  EXPECT_EQ(m_input.IsJoyDrums(0), row.isDrums);
  EXPECT_EQ(m_input.NumDrums(), row.countedAsDrumSet ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKnownController, RecognitionTest,
    ::testing::Values(ModelRow{0x1BAD, 0x0002, "    (360 harmonix fender strat)", true, false, true},
                      ModelRow{0x1BAD, 0x0003, "    (360 drumset A)", true, true, true},
                      ModelRow{0x1BAD, 0x0005, "    (Wii drumset)", false, true, true},
                      ModelRow{0x1BAD, 0x0130, "    (ION Drum Rocker)", true, true, true},
                      ModelRow{0x12BA, 0x0200, "    (PS3 harmonix fender strat)", true, false, false},
                      ModelRow{0x12BA, 0x0210, "    (PlayStation drumset)", false, true, true},
                      ModelRow{0x045E, 0x0719, "    (Wireless 360 Controller)", true, true, true},
                      ModelRow{0x1430, 0x4748, "    (360 red octane x-plorer guitar)", true, false, true},
                      ModelRow{0x0738, 0x9871, "    (Madcatz Controller)", false, true, true},
                      ModelRow{0x1BAD, 0xFF03, "    (360 drumset B)", true, true, true},
                      ModelRow{0x12BA, 0x0120, "    (PS3 Guitar Hero drumset)", false, true, true},
                      ModelRow{0x12BA, 0x0218, "    (PS3 MIDI Pro Adapter drums)", false, true, true},
                      ModelRow{0x1BAD, 0x3110, "    (Wii drumset 2)", false, true, true},
                      ModelRow{0x045E, 0x0291, "    (Wireless 360 Controller for Xbox)", true, true, true},
                      ModelRow{0x0738, 0x8262, "    (PS4 Madcatz drumset)", false, true, true}));

TEST_F(InputTest, TakesFourControllersAndLeavesTheFifthOut) {
  for (int kit = 0; kit < 5; ++kit) AttachDrumsetA();
  Start();
  EXPECT_EQ(m_input.GetNumJoys(), 4);
  EXPECT_EQ(m_input.NumDrums(), 4);
  EXPECT_EQ(m_input.GetJoyType(4), 0u);
  EXPECT_NE(LogText().find("    (360 drumset A)\n    (not used: four controllers are in use already)\n"),
            std::string::npos);
  SetButton(m_handles[4], 0, true);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(3, 0), 0.0f);
  EXPECT_EQ(Presses(), "");
  SetButton(m_handles[3], 5, true);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(3, 5), 1.0f);
  EXPECT_EQ(m_input.GetJoyButton(0, 5), 0.0f);
}

TEST_F(InputTest, WithoutUsableControllersEveryQueryIsNeutral) {
  Attach(0x1BAD, 0x0003, "Kit without pads", 0, 0);
  Start();
  EXPECT_TRUE(Frame());
  EXPECT_EQ(m_input.GetNumJoys(), 1);
  for (int joy : {-1, 0, 1, 4}) {
    for (int index : {-1, 0, 3, 4, 127, 128}) {
      EXPECT_EQ(m_input.GetJoyButton(joy, index), 0.0f);
      EXPECT_EQ(m_input.GetJoyHat(joy, index), -1);
    }
  }
  EXPECT_FALSE(m_input.IsJoy360(1));
  EXPECT_FALSE(m_input.IsJoyDrums(-1));
  EXPECT_EQ(m_input.GetJoyType(1), 0u);
}

TEST_F(InputTest, ButtonsAndHatsAreSeenOnTheNextFrame) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  SetButton(kit, 0, true);
  SetButton(kit, 4, true);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 0), 1.0f);
  EXPECT_EQ(m_input.GetJoyButton(0, 1), 0.0f);
  EXPECT_EQ(m_input.GetJoyButton(0, 4), 1.0f);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 0), 1.0f);  // held
  SetButton(kit, 0, false);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 0), 0.0f);
  EXPECT_EQ(m_input.GetJoyButton(0, 4), 1.0f);

  const std::pair<Uint8, int> hats[] = {
      {SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 4500},   {SDL_HAT_RIGHT, 9000}, {SDL_HAT_RIGHTDOWN, 13500},
      {SDL_HAT_DOWN, 18000}, {SDL_HAT_LEFTDOWN, 22500}, {SDL_HAT_LEFT, 27000}, {SDL_HAT_LEFTUP, 31500},
      {SDL_HAT_CENTERED, -1}};
  for (const auto& [hat, pov] : hats) {
    SetHat(kit, hat);
    Frame();
    EXPECT_EQ(m_input.GetJoyHat(0, 0), pov) << int(hat);
  }
}

TEST_F(InputTest, APressReleasedBeforeTheFrameIsSeenOnce) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  SetButton(kit, 2, true);
  SetButton(kit, 2, false);
  SetHat(kit, SDL_HAT_DOWN);
  SetHat(kit, SDL_HAT_CENTERED);
  PushKey(SDL_SCANCODE_A, true);
  PushKey(SDL_SCANCODE_A, false);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 2), 1.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), 18000);
  EXPECT_TRUE(m_input.GetKeyState(Basalt::DIK_A));
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 2), 0.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), -1);
  EXPECT_FALSE(m_input.GetKeyState(Basalt::DIK_A));
}

// What comparing two frames' states loses: a release and new strike, or two
// strikes, between two frames.
TEST_F(InputTest, EveryStrikeBetweenTwoFramesIsAPressOfItsOwnInTheOrderStruck) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  SetButton(kit, 0, true);
  SetButton(kit, 0, false);
  Frame();
  EXPECT_EQ(Presses(), "B0");
  SetButton(kit, 0, true);
  Frame();
  EXPECT_EQ(Presses(), "B0");
  Frame();
  EXPECT_EQ(Presses(), "");  // held
  SetButton(kit, 0, false);
  SetButton(kit, 0, true);
  Frame();
  EXPECT_EQ(Presses(), "B0");
  for (bool down : {false, true, false, true}) SetButton(kit, 0, down);
  Frame();
  EXPECT_EQ(Presses(), "B0 B0");
  EXPECT_EQ(m_input.GetJoyButton(0, 0), 1.0f);

  SetHat(kit, SDL_HAT_DOWN);
  SetHat(kit, SDL_HAT_CENTERED);  // centring is no press
  Frame();
  EXPECT_EQ(Presses(), "H18000");

  // Keys and buttons by the time each was seen: a key when pumped.
  PushKey(SDL_SCANCODE_A, true);
  m_platform.Update();
  SetButton(kit, 1, true);
  PushKey(SDL_SCANCODE_B, true);
  SDL_Event repeat = {};
  repeat.type = SDL_KEYDOWN;
  repeat.key.repeat = 1;
  repeat.key.keysym.scancode = SDL_SCANCODE_A;
  SDL_PushEvent(&repeat);
  Frame();
  EXPECT_EQ(Presses(), "K30 B1 K48");
  Frame();
  EXPECT_EQ(Presses(), "");
}

TEST_F(InputTest, TheListenerSeesEveryEventAtOnceOnTheInputThreadInOrder) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  RecordingListener listener;
  m_input.SetListener(&listener);
  SetButton(kit, 3, true);
  SetButton(kit, 3, false);
  SetHat(kit, SDL_HAT_LEFT);
  PushKey(SDL_SCANCODE_A, true);
  m_platform.Update();  // the pump forwards the key; no frame is captured
  ASSERT_TRUE(m_input.WaitForPolls(2));
  m_input.SetListener(nullptr);

  const Basalt::InputEvent::Type types[] = {Basalt::InputEvent::ButtonDown, Basalt::InputEvent::ButtonUp,
                                            Basalt::InputEvent::HatMoved, Basalt::InputEvent::KeyDown};
  const int codes[] = {3, 3, 0, Basalt::DIK_A};
  ASSERT_EQ(listener.seen.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    const RecordingListener::Seen& seen = listener.seen[i];
    EXPECT_EQ(seen.event.type, types[i]) << i;
    EXPECT_EQ(seen.event.code, codes[i]) << i;
    EXPECT_EQ(seen.event.joy, i < 3 ? 0 : -1) << i;
    EXPECT_NE(seen.thread, std::this_thread::get_id()) << i;
    EXPECT_EQ(seen.thread, listener.seen[0].thread) << i;
    if (i > 0) {
      EXPECT_GE(seen.event.time, listener.seen[i - 1].event.time) << i;
    }
  }
  EXPECT_EQ(listener.seen[2].event.value, 27000);
  EXPECT_GT(listener.polls, 0);
  EXPECT_GE(listener.lastPoll, listener.seen[3].event.time);
  EXPECT_EQ(m_input.GetJoyButton(0, 3), 0.0f);  // the frame has not looked yet

  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 3), 1.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), 27000);
  EXPECT_EQ(Presses(), "B3 H27000 K30");
}

// A listener that is slow to return: any call still running once
// SetListener(nullptr) has returned is counted as late.
class SlowListener : public Basalt::IInputListener {
 public:
  void OnInputEvent(const Basalt::InputEvent&) override { Finish(); }
  void OnInputPoll(Basalt::TimeNs) override {
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    Finish();
  }
  std::atomic<bool> removed{false};
  std::atomic<int> calls{0}, late{0};

 private:
  void Finish() {
    ++calls;
    if (removed.load()) ++late;
  }
};

TEST_F(InputTest, AListenerRemovedIsNeverCalledAgain) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  SlowListener listener;
  for (int round = 0; round < 20; ++round) {
    m_input.SetListener(&listener);
    ASSERT_TRUE(m_input.WaitForPolls(1));
    m_input.SetListener(nullptr);
    listener.removed = true;
    SetButton(kit, 0, round % 2 == 0);
    listener.removed = false;
  }
  EXPECT_GT(listener.calls.load(), 0);
  EXPECT_EQ(listener.late.load(), 0);
}

// Every kind of kit struck with its axes moved the way the real one moves
// them: a 360 kit's strength arrives with the press; the PlayStation kit's
// axes are its sticks (the generic HID driver drops its pressure bytes) and a
// guitar's right stick is its whammy, so their presses are at full strength,
// as are those of a 360 kit whose driver shows no sticks.
TEST_F(InputTest, APressCarriesTheStrengthItsKitReportsOnItsAxes) {
  SDL_Joystick* drums360 = AttachDrumsetA();
  SDL_Joystick* playStation = Attach(0x12BA, 0x0210, "Harmonix Drum kit for PlayStation(R)3", 13, 1, 4);
  SDL_Joystick* guitar = Attach(0x1BAD, 0x0002, "Harmonix Guitar", 8, 1, 6);
  SDL_Joystick* stickless = Attach(0x1BAD, 0x0003, "Harmonix Drum Kit", 8, 1, 0);
  Start();
  RecordingListener listener;
  m_input.SetListener(&listener);
  const float strengths[4] = {0.9f, 0.25f, 0.6f, 0.05f};  // green, red, blue, yellow
  for (int button = 0; button < 4; ++button) {
    const int axis = test::kXbox360VelocityAxis[button];
    SetAxis(drums360, axis, test::Xbox360VelocityReading(axis, strengths[button]));
    SetButton(drums360, button, true);
    SetButton(drums360, button, false);
  }
  SetButton(drums360, 4, true);  // the pedal
  for (int axis = 0; axis < 4; ++axis) SetAxis(playStation, axis, axis % 2 ? 32767 : -32768);
  SetButton(playStation, 2, true);
  SetAxis(guitar, 3, 12000);
  SetButton(guitar, 2, true);
  SetButton(stickless, 3, true);
  m_input.SetListener(nullptr);

  std::vector<std::pair<int, float>> presses;  // kit * 10 + button, strength
  for (const RecordingListener::Seen& seen : listener.seen)
    if (seen.event.type == Basalt::InputEvent::ButtonDown)
      presses.emplace_back(seen.event.joy * 10 + seen.event.code, seen.event.velocity);
  ASSERT_EQ(presses.size(), 8u);
  for (int button = 0; button < 4; ++button) {
    EXPECT_EQ(presses[static_cast<size_t>(button)].first, button);
    EXPECT_NEAR(presses[static_cast<size_t>(button)].second, strengths[button], 1e-4f) << button;
  }
  EXPECT_EQ(presses[4], std::make_pair(4, 1.0f));
  EXPECT_EQ(presses[5], std::make_pair(12, 1.0f));
  EXPECT_EQ(presses[6], std::make_pair(22, 1.0f));
  EXPECT_EQ(presses[7], std::make_pair(33, 1.0f));
}

TEST_F(InputTest, AnUnpluggedKitReadsReleasedAndTakesItsPlaceAgainWhenBack) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start();
  SetButton(kit, 1, true);
  SetHat(kit, SDL_HAT_UP);
  Frame();
  ASSERT_EQ(m_input.GetJoyButton(0, 1), 1.0f);

  ASSERT_EQ(SDL_JoystickDetachVirtual(0), 0);
  EXPECT_TRUE(Frame());
  EXPECT_EQ(m_input.GetJoyButton(0, 1), 0.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), -1);
  EXPECT_EQ(m_input.GetNumJoys(), 1);
  EXPECT_TRUE(m_input.IsJoyDrums(0));
  EXPECT_NE(LogText().find("   Controller 0 unplugged: \"Harmonix Drum Kit\""), std::string::npos);

  Attach(kUnknownVendor, kUnknownProduct, "Dual Action");  // not ours: ignored
  SDL_Joystick* back = AttachDrumsetA();
  EXPECT_TRUE(Frame());
  EXPECT_NE(LogText().find("   Controller 0 plugged in again: \"Harmonix Drum Kit\""), std::string::npos);
  SetButton(back, 3, true);
  Frame();
  EXPECT_EQ(m_input.GetJoyButton(0, 3), 1.0f);
}

TEST_F(InputTest, ControllersLeftOutAtStartUpStayReleased) {
  SDL_Joystick* kit = AttachDrumsetA();
  Start(Input::kKeyboardDevice | Input::kMouseDevice);
  SetButton(kit, 0, true);
  SetHat(kit, SDL_HAT_UP);
  Frame();
  EXPECT_EQ(m_input.GetNumJoys(), 1);
  EXPECT_EQ(m_input.GetJoyButton(0, 0), 0.0f);
  EXPECT_EQ(m_input.GetJoyHat(0, 0), -1);
}

TEST_F(InputTest, KeysTheProgramUsesReadUnderTheirKeyCodes) {
  Start();
  std::vector<std::pair<SDL_Scancode, int>> keys = {
      {SDL_SCANCODE_UP, 0xC8},     {SDL_SCANCODE_DOWN, 0xD0},      {SDL_SCANCODE_LEFT, 0xCB},
      {SDL_SCANCODE_RIGHT, 0xCD},  {SDL_SCANCODE_RETURN, 0x1C},    {SDL_SCANCODE_ESCAPE, 0x01},
      {SDL_SCANCODE_TAB, 0x0F},    {SDL_SCANCODE_SPACE, 0x39},     {SDL_SCANCODE_PAGEDOWN, 0xD1},
      {SDL_SCANCODE_PAGEUP, 0xC9}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_MINUS, 0x0C},
      {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_KP_MINUS, 0x4A},  {SDL_SCANCODE_KP_PLUS, 0x4E},
      {SDL_SCANCODE_0, 0x0B}};
  for (int digit = 1; digit <= 9; ++digit)
    keys.emplace_back(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + digit - 1), 0x01 + digit);
  // The letters A..Z in the order of the program's typed-name table.
  const int letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                           0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  for (int letter = 0; letter < 26; ++letter)
    keys.emplace_back(static_cast<SDL_Scancode>(SDL_SCANCODE_A + letter), letters[letter]);

  for (const auto& [scancode, key] : keys) {
    PushKey(scancode, true);
    Frame();
    Frame();  // held keys stay down
    EXPECT_TRUE(m_input.GetKeyState(key)) << SDL_GetScancodeName(scancode);
    EXPECT_EQ(KeysDown(), 1) << SDL_GetScancodeName(scancode);
    PushKey(scancode, false);
    Frame();
    EXPECT_EQ(KeysDown(), 0) << SDL_GetScancodeName(scancode);
  }
}

TEST(KeyCodes, EveryKeyOfAStandardKeyboardHasItsOwnCode) {
  const SDL_Scancode keys105[] = {SDL_SCANCODE_ESCAPE,
                                  SDL_SCANCODE_F1,
                                  SDL_SCANCODE_F2,
                                  SDL_SCANCODE_F3,
                                  SDL_SCANCODE_F4,
                                  SDL_SCANCODE_F5,
                                  SDL_SCANCODE_F6,
                                  SDL_SCANCODE_F7,
                                  SDL_SCANCODE_F8,
                                  SDL_SCANCODE_F9,
                                  SDL_SCANCODE_F10,
                                  SDL_SCANCODE_F11,
                                  SDL_SCANCODE_F12,
                                  SDL_SCANCODE_PRINTSCREEN,
                                  SDL_SCANCODE_SCROLLLOCK,
                                  SDL_SCANCODE_PAUSE,
                                  SDL_SCANCODE_GRAVE,
                                  SDL_SCANCODE_1,
                                  SDL_SCANCODE_2,
                                  SDL_SCANCODE_3,
                                  SDL_SCANCODE_4,
                                  SDL_SCANCODE_5,
                                  SDL_SCANCODE_6,
                                  SDL_SCANCODE_7,
                                  SDL_SCANCODE_8,
                                  SDL_SCANCODE_9,
                                  SDL_SCANCODE_0,
                                  SDL_SCANCODE_MINUS,
                                  SDL_SCANCODE_EQUALS,
                                  SDL_SCANCODE_BACKSPACE,
                                  SDL_SCANCODE_TAB,
                                  SDL_SCANCODE_Q,
                                  SDL_SCANCODE_W,
                                  SDL_SCANCODE_E,
                                  SDL_SCANCODE_R,
                                  SDL_SCANCODE_T,
                                  SDL_SCANCODE_Y,
                                  SDL_SCANCODE_U,
                                  SDL_SCANCODE_I,
                                  SDL_SCANCODE_O,
                                  SDL_SCANCODE_P,
                                  SDL_SCANCODE_LEFTBRACKET,
                                  SDL_SCANCODE_RIGHTBRACKET,
                                  SDL_SCANCODE_CAPSLOCK,
                                  SDL_SCANCODE_A,
                                  SDL_SCANCODE_S,
                                  SDL_SCANCODE_D,
                                  SDL_SCANCODE_F,
                                  SDL_SCANCODE_G,
                                  SDL_SCANCODE_H,
                                  SDL_SCANCODE_J,
                                  SDL_SCANCODE_K,
                                  SDL_SCANCODE_L,
                                  SDL_SCANCODE_SEMICOLON,
                                  SDL_SCANCODE_APOSTROPHE,
                                  SDL_SCANCODE_NONUSHASH,
                                  SDL_SCANCODE_RETURN,
                                  SDL_SCANCODE_LSHIFT,
                                  SDL_SCANCODE_NONUSBACKSLASH,
                                  SDL_SCANCODE_Z,
                                  SDL_SCANCODE_X,
                                  SDL_SCANCODE_C,
                                  SDL_SCANCODE_V,
                                  SDL_SCANCODE_B,
                                  SDL_SCANCODE_N,
                                  SDL_SCANCODE_M,
                                  SDL_SCANCODE_COMMA,
                                  SDL_SCANCODE_PERIOD,
                                  SDL_SCANCODE_SLASH,
                                  SDL_SCANCODE_RSHIFT,
                                  SDL_SCANCODE_LCTRL,
                                  SDL_SCANCODE_LGUI,
                                  SDL_SCANCODE_LALT,
                                  SDL_SCANCODE_SPACE,
                                  SDL_SCANCODE_RALT,
                                  SDL_SCANCODE_RGUI,
                                  SDL_SCANCODE_APPLICATION,
                                  SDL_SCANCODE_RCTRL,
                                  SDL_SCANCODE_INSERT,
                                  SDL_SCANCODE_HOME,
                                  SDL_SCANCODE_PAGEUP,
                                  SDL_SCANCODE_DELETE,
                                  SDL_SCANCODE_END,
                                  SDL_SCANCODE_PAGEDOWN,
                                  SDL_SCANCODE_UP,
                                  SDL_SCANCODE_LEFT,
                                  SDL_SCANCODE_DOWN,
                                  SDL_SCANCODE_RIGHT,
                                  SDL_SCANCODE_NUMLOCKCLEAR,
                                  SDL_SCANCODE_KP_DIVIDE,
                                  SDL_SCANCODE_KP_MULTIPLY,
                                  SDL_SCANCODE_KP_MINUS,
                                  SDL_SCANCODE_KP_7,
                                  SDL_SCANCODE_KP_8,
                                  SDL_SCANCODE_KP_9,
                                  SDL_SCANCODE_KP_PLUS,
                                  SDL_SCANCODE_KP_4,
                                  SDL_SCANCODE_KP_5,
                                  SDL_SCANCODE_KP_6,
                                  SDL_SCANCODE_KP_1,
                                  SDL_SCANCODE_KP_2,
                                  SDL_SCANCODE_KP_3,
                                  SDL_SCANCODE_KP_ENTER,
                                  SDL_SCANCODE_KP_0,
                                  SDL_SCANCODE_KP_PERIOD};
  static_assert(sizeof keys105 / sizeof keys105[0] == 105, "a full ISO keyboard");
  bool used[256] = {};
  for (SDL_Scancode scancode : keys105) {
    const unsigned char key = Basalt::KeyCodeForScancode(scancode);
    EXPECT_NE(key, 0) << SDL_GetScancodeName(scancode);
    EXPECT_FALSE(used[key]) << SDL_GetScancodeName(scancode) << " shares its code";
    used[key] = true;
  }
  EXPECT_EQ(Basalt::KeyCodeForScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(Basalt::KeyCodeForScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
}

TEST_F(InputTest, TheMouseReportsMovementSinceTheLastFrame) {
  Start();
  SDL_Event event = {};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = 3;
  event.motion.yrel = -2;
  SDL_PushEvent(&event);
  SDL_PushEvent(&event);
  event = {};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = 1;
  SDL_PushEvent(&event);
  event = {};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = SDL_BUTTON_RIGHT;
  SDL_PushEvent(&event);
  event.type = SDL_MOUSEBUTTONUP;
  SDL_PushEvent(&event);
  Frame();
  EXPECT_EQ(m_input.GetMouseX(), 6);
  EXPECT_EQ(m_input.GetMouseY(), -4);
  EXPECT_EQ(m_input.GetMouseZ(), 120);
  EXPECT_TRUE(m_input.GetMouseButtonState(1));
  EXPECT_FALSE(m_input.GetMouseButtonState(0));
  Frame();
  EXPECT_EQ(m_input.GetMouseX(), 0);
  EXPECT_EQ(m_input.GetMouseZ(), 0);
  EXPECT_FALSE(m_input.GetMouseButtonState(1));
}

TEST_F(InputTest, WithoutAnEventPumpThereIsNoKeyboardOrMouse) {
  ASSERT_TRUE(m_input.Initialize(nullptr));
  EXPECT_TRUE(m_input.InitializeDevices(true, Input::kMouseDevice));
  EXPECT_FALSE(m_input.WaitForPolls(1));  // nothing to read: no input thread
  EXPECT_STREQ(m_input.GetError(), "Failed to init mouse");
  EXPECT_FALSE(m_input.InitializeDevices(true, Input::kKeyboardDevice | Input::kMouseDevice));
  EXPECT_STREQ(m_input.GetError(), "Failed to init keyboard");
  EXPECT_FALSE(m_input.KeyboardInitialized());
  EXPECT_FALSE(m_input.MouseInitialized());
  PushKey(SDL_SCANCODE_A, true);
  m_platform.Update();
  EXPECT_TRUE(m_input.Update());
  EXPECT_FALSE(m_input.GetKeyState(Basalt::DIK_A));
  EXPECT_EQ(m_input.GetMouseX(), -1);
  EXPECT_FALSE(m_input.GetMouseButtonState(0));
}

}  // namespace
