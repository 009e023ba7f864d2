// `backline --import-kit`, end to end: the real binary imports a layered kit
// of FLAC files into the game directory, and the real program loads its
// preset, plays its velocity layers and keeps them after a restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "backline/app/game_app.h"
#include "tests/support/app_script.h"
#include "tests/support/kit_folder.h"
#include "tests/support/run_command.h"
#include "tests/support/virtual_kit.h"

namespace {

namespace fs = std::filesystem;

const char kKit[] = "kits/test kit";
constexpr int kPedal = 4;   // kit 0's bass pedal: its button, pad slot and primary sound slot
constexpr int kRedPad = 0;  // kit 0's red pad: its pad slot and primary sound slot (button 1)

class KitImportTest : public test::ScriptedAppTest {
 protected:
  // Runs `backline --import-kit arguments` in the game directory; its exit
  // status (-1 when it did not exit) and what it printed go to *output.
  static int RunImport(const std::string& arguments, std::string* output) {
    return test::RunCommand(std::string(BACKLINE_PATH) + " --import-kit " + arguments, output);
  }
};

TEST_F(KitImportTest, AnImportedKitsPresetPlaysASoftAndAHardLayerAndKeepsThemAfterARestart) {
  test::WriteLayeredKit(kKit);
  std::string output;
  ASSERT_EQ(RunImport("\"" + std::string(kKit) + "\"", &output), EXIT_SUCCESS) << output;
  EXPECT_EQ(output.find("Imported the kit \"Test Kit\" from kits/test kit:\n"), 0u) << output;
  SDL_Joystick* kit = AttachKit();
  ASSERT_NE(kit, nullptr);
  const int soft = LayerSoundSlotOf(kPedal, 0), hard = LayerSoundSlotOf(kPedal, 2);
  EnterAssignMode();
  OpenPresetDialog(0);
  Press(SDL_SCANCODE_DOWN);  // "Test Kit.preset", after "default.preset"
  Press(SDL_SCANCODE_RETURN);
  Then([=](AppView& app) {
    EXPECT_EQ(app.mode, Assign);
    EXPECT_EQ(s_slotSamples[soft], "SampleBank\\Kick\\Test Kit - Kick 1.wav");
    EXPECT_EQ(s_slotSamples[hard], "SampleBank\\Kick\\Test Kit - Kick 3.wav");
    EXPECT_EQ(app.instrument.Table().SoundSlotFor(kPedal, 0.1f), soft);   // a soft strike
    EXPECT_EQ(app.instrument.Table().SoundSlotFor(kPedal, 0.95f), hard);  // a hard one
  });
  Press(SDL_SCANCODE_ESCAPE);  // leaving Assign Mode keeps the pads as the default preset
  Then([](AppView& app) {
    EXPECT_EQ(app.mode, MainMenu);
    EXPECT_EQ(test::ReadFile("presets/default.layers"), test::ReadFile("presets/Test Kit.layers"));
    app.mode = FreePlay;
  });
  Hit(kit, kPedal);
  Then([=](AppView&) { EXPECT_EQ(s_played.back(), hard); });  // the pedal reports no velocity: a full strike
  // The red pad's snare, struck soft then hard through the kit's velocity axis.
  for (const float velocity : {0.2f, 0.9f}) {
    Then([=](AppView&) { SetAxis(kit, test::kXbox360VelocityAxis[1], test::Xbox360VelocityReading(0, velocity)); });
    Hit(kit, 1);
  }
  Then([=](AppView&) {
    ASSERT_GE(s_played.size(), 2u);
    EXPECT_EQ(s_played[s_played.size() - 2], LayerSoundSlotOf(kRedPad, 0));
    EXPECT_EQ(s_played.back(), LayerSoundSlotOf(kRedPad, 1));
    EXPECT_EQ(s_slotSamples[LayerSoundSlotOf(kRedPad, 0)], "SampleBank\\Snares\\Test Kit - Snare 1.wav");
    EXPECT_EQ(s_slotSamples[LayerSoundSlotOf(kRedPad, 1)], "SampleBank\\Snares\\Test Kit - Snare 2.wav");
  });
  ASSERT_TRUE(RunScript());
  EXPECT_TRUE(boxes.empty());

  Run([=](AppView& app, int frame) {
    EXPECT_EQ(app.instrument.layers.ApplyingCount(app.instrument.pads, kPedal), 3);
    if (frame == 0) {
      EXPECT_EQ(app.instrument.Table().SoundSlotFor(kPedal, 0.1f), soft);
    }
    return frame < 0;
  });
}

TEST_F(KitImportTest, AFolderThatIsNoKitIsNamedAndTheExitStatusIsAFailure) {
  fs::create_directories("kits/empty");
  const auto before = fs::file_size("presets/default.preset");
  std::string output;
  EXPECT_EQ(RunImport("kits/empty", &output), EXIT_FAILURE);
  EXPECT_EQ(output, "Cannot import the kit: kits/empty holds no drumkit.xml: it is not a drum kit folder\n");
  output.clear();
  EXPECT_EQ(RunImport("", &output), EXIT_FAILURE);
  EXPECT_NE(output.find("backline --import-kit DIR"), std::string::npos) << output;  // the usage
  EXPECT_EQ(fs::file_size("presets/default.preset"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator("presets"), fs::directory_iterator()), 1);
}

}  // namespace
