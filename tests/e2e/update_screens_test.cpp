// The update question, the check and its answer, end to end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "backline/net/update_check.h"
#include "tests/support/app_harness.h"
#include "tests/support/fake_update_server.h"

namespace {

class UpdateScreensTest : public test::AppHarness {
 protected:
  // Presses each key once on the screen keysOn, as soon as the menu keys work
  // there, then runs until done(app); a frame cap far beyond the check's six
  // seconds of frames ends a run that goes wrong.
  void RunWithKeys(ScreenId keysOn, std::vector<SDL_Scancode> keys, const std::function<bool(AppView&)>& done) {
    size_t next = 0;
    bool down = false;
    Run([&](AppView& app, int frame) {
      if (frame < 0) return true;
      SDL_Delay(5);
      if (app.mode == keysOn && app.menuKeys.startupTime >= MenuKeys::kStartupHold && next < keys.size()) {
        PushKey(keys[next], !down);
        next += down ? 1 : 0;
        down = !down;
      }
      return !(next == keys.size() && done(app)) && frame < 4000;
    });
  }
  void PointAt(const test::FakeUpdateServer& server) {
    std::strcpy(g_updateHost, "127.0.0.1");
    g_updatePort = static_cast<int>(server.Port());
  }
};

TEST_F(UpdateScreensTest, TheFirstAnswerIsRemembered) {
  RunWithKeys(UpdatePrompt, {SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN},
              [](AppView& app) { return app.mode == MainMenu; });
  EXPECT_EQ(test::ReadFile("rmd.dat"), "n");
  test::FakeUpdateServer same("PL1: version 1.36\n", 0);
  PointAt(same);
  std::remove("rmd.dat");
  ScreenId seen = MainMenu;
  RunWithKeys(UpdatePrompt, {SDL_SCANCODE_RETURN}, [&](AppView& app) {
    if (app.mode == UpdateCheck) seen = UpdateCheck;
    return seen == UpdateCheck && app.mode == MainMenu;
  });
  EXPECT_EQ(test::ReadFile("rmd.dat"), "y");
  EXPECT_EQ(seen, UpdateCheck);
  EXPECT_NE(LogText().find("network received:"), std::string::npos);
}

TEST_F(UpdateScreensTest, ANewerVersionOffersItsChoices) {
  test::WriteFile("rmd.dat", "y");
  test::FakeUpdateServer newer("PL1: version 1.37\n", 0);
  PointAt(newer);
  RunWithKeys(UpdateAvailable, {SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN},
              [](AppView& app) { return app.mode == MainMenu; });
  EXPECT_EQ(test::ReadFile("rmd.dat"), "n");  // "Don't tell me again"
}

// The check's connect gives up after its limit, so the box closes before its
// own six seconds of frames have run out, however fast the frames come.
TEST_F(UpdateScreensTest, ASilentServerClosesTheBoxWithinSixSecondsAndTheProgramStillEnds) {
  const test::SilentServer silent;  // the check's connect hangs
  std::strcpy(g_updateHost, "127.0.0.1");
  g_updatePort = static_cast<int>(silent.Port());
  test::WriteFile("rmd.dat", "y");
  float checkedFor = 0.0f;
  ScreenId after = UpdateCheck;
  Run([&](AppView& app, int frame) {
    if (frame < 0) return true;
    SDL_Delay(20);
    if (app.mode == UpdateCheck) checkedFor += app.frameTime;
    after = app.mode;
    return app.mode == UpdateCheck;
  });
  EXPECT_EQ(after, MainMenu);
  EXPECT_LE(checkedFor, 6.0f + 0.1f);
}

}  // namespace
