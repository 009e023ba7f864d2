#include "tests/support/app_script.h"

#include "basalt/gui/gui.h"

namespace test {

void ScriptedAppTest::SetUp() {
  AppHarness::SetUp();
  WriteFile("settings.cfg", "g_screenWidth = 640\ng_screenHeight = 480\n");
  WriteFile("rmd.dat", "n");
}

void ScriptedAppTest::Press(SDL_Scancode key, int times) {
  for (int i = 0; i < times; ++i)
    m_steps.push_back({[key](AppView&) {
                         PushKey(key, true);
                         PushKey(key, false);  // still seen down for one frame
                       },
                       2, nullptr});
}

void ScriptedAppTest::Hit(SDL_Joystick* kit, int button) {
  m_steps.push_back({[=](AppView&) { SetButton(kit, button, true); }, 1, nullptr});
  m_steps.push_back({[=](AppView&) { SetButton(kit, button, false); }, 1, nullptr});
}

void ScriptedAppTest::Type(const char* text) {
  for (const char* c = text; *c; ++c) Press(KeyOf(*c));
}

void ScriptedAppTest::Wait(uint32_t ms) {
  m_steps.push_back({[ms](AppView&) { AdvanceClock(ms); }, 0, nullptr});
}

void ScriptedAppTest::Frames(int count) { m_steps.push_back({[](AppView&) {}, count, nullptr}); }

void ScriptedAppTest::Then(std::function<void(AppView&)> check) {
  m_steps.push_back({std::move(check), 0, nullptr});
}

void ScriptedAppTest::Until(std::function<bool(AppView&)> ready) {
  m_steps.push_back({[](AppView&) {}, 0, std::move(ready)});
}

void ScriptedAppTest::EnterAssignMode() {
  Until([](AppView& app) { return app.menuKeys.startupTime >= MenuKeys::kStartupHold; });
  Press(SDL_SCANCODE_DOWN);
  Press(SDL_SCANCODE_RETURN);
  Then([](AppView& app) { ASSERT_EQ(app.mode, Assign); });
}

void ScriptedAppTest::WaitForMode(ScreenId mode) {
  Until([mode](AppView& app) { return app.mode == mode; });
}

void ScriptedAppTest::Choose(int entry) {
  WaitForMode(MainMenu);
  Until([](AppView& app) { return app.menuKeys.startupTime >= MenuKeys::kStartupHold; });
  Then([entry](AppView& app) { app.screens.mainMenu.selection = entry; });
  Press(SDL_SCANCODE_RETURN);
}

void ScriptedAppTest::OpenPresetDialog(int line) {
  Press(SDL_SCANCODE_TAB);
  Then([=](AppView& app) {
    ASSERT_EQ(app.mode, PresetMenu);
    EXPECT_FALSE(app.textEntry.active);
    if (app.screens.presetMenu.line != line) {  // the menu keeps its line between openings
      PushKey(SDL_SCANCODE_DOWN, true);
      PushKey(SDL_SCANCODE_DOWN, false);
    }
  });
  Frames(2);
  Press(SDL_SCANCODE_RETURN);
  Frames(1);  // the dialog's first frame
  Then([=](AppView& app) { ASSERT_EQ(app.mode, line == 0 ? LoadPresetList : SavePresetName); });
}

bool ScriptedAppTest::RunScript() {
  return Run([this](AppView& app, int frame) {
    if (frame == kStarted) {
      RecordPlayedSounds();
      return true;
    }
    return NextFrame(app);
  });
}

bool ScriptedAppTest::NextFrame(AppView& app) {
  AdvanceClock(kFrameMs);
  if (m_idleFrames > 0) {
    --m_idleFrames;
    return true;
  }
  if (m_next == m_steps.size() || HasFatalFailure()) return false;
  const Step& step = m_steps[m_next];
  if (step.ready && !step.ready(app)) return true;
  step.action(app);
  m_idleFrames = step.frames;
  ++m_next;
  return true;
}

std::vector<ScriptedAppTest::DrawnText> ScriptedAppTest::QueuedText() {
  std::vector<DrawnText> texts;
  const Basalt::FontManager* fonts = Basalt::g_pGUI->GetFontManager();
  for (unsigned i = 0; i < fonts->NumQueued(); ++i) {
    const Basalt::FontManager::TextRequest& request = fonts->GetQueued(i);
    texts.push_back({std::string(fonts->GetQueuedText(request), request.length), request.font, request.x, request.y,
                     request.colour});
  }
  return texts;
}

std::string ScriptedAppTest::TextAt(unsigned x, unsigned y) {
  for (const DrawnText& text : QueuedText())
    if (text.x == x && text.y == y) return text.text;
  return "";
}

}  // namespace test
