// Start-up when something is missing: the real program either says why it
// cannot start and exits with a failure status, or starts and says what it
// does without.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "basalt/gui/gui.h"
#include "tests/support/app_harness.h"
#include "tests/support/run_command.h"

namespace {

// The program itself, run in a fresh game directory with no display: what
// it would show in a message box it prints on stderr.
class FailedStartTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ASSERT_EQ(std::system((std::string(CONTENTGEN_PATH) + " .").c_str()), 0);
    test::WriteFile("rmd.dat", "n");
  }
  // Runs the program with the given environment settings in front; its exit
  // status (-1 when it did not exit) and what it printed go to *output.
  static int RunProgram(const std::string& environment, std::string* output) {
    return test::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY " + environment + " " + BACKLINE_PATH, output);
  }
};

TEST_F(FailedStartTest, ALogThatCannotBeWrittenIsNamedAndTheExitStatusIsAFailure) {
  std::filesystem::create_directory("systemlog.txt");
  std::string output;
  EXPECT_EQ(RunProgram("", &output), EXIT_FAILURE);
  const std::string path = (std::filesystem::current_path() / "systemlog.txt").string();
  EXPECT_NE(output.find("Critical Error: Cannot write the system log " + path + ": it is a folder."), std::string::npos)
      << output;
}

TEST_F(FailedStartTest, AnEmptySampleFolderIsNamedAndTheExitStatusIsAFailure) {
  for (const auto& entry : std::filesystem::directory_iterator("SampleBank/Kick")) std::filesystem::remove(entry);
  std::string output;
  EXPECT_EQ(RunProgram("", &output), EXIT_FAILURE);
  EXPECT_NE(output.find("Error: Failed to find sound bank.\nSampleBank/Kick holds no WAV file.\n"), std::string::npos)
      << output;
  EXPECT_NE(test::ReadFile("systemlog.txt").find("Sample bank: SampleBank/Kick holds no WAV file.\n"),
            std::string::npos);
}

TEST_F(FailedStartTest, NoWindowIsNamedAndTheExitStatusIsAFailure) {
  std::string output;
  EXPECT_EQ(RunProgram("SDL_VIDEODRIVER=nosuchdriver", &output), EXIT_FAILURE);
  EXPECT_NE(output.find("Critical Error: InitPlatform() failed: no window could be opened: "), std::string::npos)
      << output;
  EXPECT_NE(output.find("nosuchdriver"), std::string::npos) << output;
  EXPECT_NE(test::ReadFile("systemlog.txt").find("Critical Error: InitPlatform() failed: "), std::string::npos);
}

class StartupTest : public test::AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    test::WriteFile("rmd.dat", "n");
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    m_audioDriver = driver ? driver : "";
  }
  void TearDown() override {
    if (m_audioDriver.empty())
      unsetenv("SDL_AUDIODRIVER");
    else
      setenv("SDL_AUDIODRIVER", m_audioDriver.c_str(), 1);
    AppHarness::TearDown();
  }
  // Whether the GUI holds text for the next frame that begins with start.
  static bool Queued(const std::string& start) {
    const Basalt::FontManager& fonts = *Basalt::g_pGUI->GetFontManager();
    for (unsigned i = 0; i < fonts.NumQueued(); ++i) {
      const Basalt::FontManager::TextRequest& request = fonts.GetQueued(i);
      if (std::string(fonts.GetQueuedText(request), request.length).rfind(start, 0) == 0) return true;
    }
    return false;
  }

 private:
  std::string m_audioDriver;  // as the test found it
};

// An audio driver that cannot open stands for a machine without any sound device.
TEST_F(StartupTest, WithoutAnAudioDeviceTheProgramPlaysSilentlyAndSaysSo) {
  setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
  SDL_Joystick* kit = AttachKit();
  ASSERT_NE(kit, nullptr);
  bool noteShown = false, silent = false;
  EXPECT_TRUE(Run([&](AppView& app, int frame) {
    if (frame == kStarted) return true;
    silent = app.soundSilent;
    if (app.mode == MainMenu) noteShown = noteShown || Queued("No audio device: playing silently");
    if (frame == 3) app.mode = FreePlay;
    if (frame == 4) SetButton(kit, 0, true);
    if (frame == 5) SetButton(kit, 0, false);
    return frame < 8;
  }));
  EXPECT_TRUE(silent);
  EXPECT_TRUE(noteShown);
  const std::string log = LogText();
  EXPECT_NE(log.find("No audio device could be opened (see the lines above): Padlark runs silently\n"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("Sound Initialized!"), std::string::npos);
}

TEST_F(StartupTest, WithoutTheButtonSkinTheProgramStartsWithPlainButtons) {
  std::filesystem::remove("gui.tga");
  ScreenId first = Playback;
  EXPECT_TRUE(Run([&](AppView& app, int frame) {
    if (frame == kStarted) first = app.mode;
    return frame < 2;
  }));
  EXPECT_EQ(first, MainMenu);
  EXPECT_NE(LogText().find("Failed to load GUI.TGA: the buttons are drawn without their skin\n"), std::string::npos);
  ASSERT_EQ(boxes.size(), 1u);  // no kit, and nothing else
  EXPECT_EQ(boxes[0].find("Windows"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("/dev/input/event*"), std::string::npos) << boxes[0];
}

}  // namespace
