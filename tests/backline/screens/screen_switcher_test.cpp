#include "backline/screens/screen_switcher.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Writes what the switcher calls into a shared journal; its Update asks for
// the screens in `asks`.
class JournalScreen final : public Screen {
 public:
  JournalScreen(std::string name, std::vector<std::string>* journal, ScreenSwitcher* screens)
      : m_name(std::move(name)), m_journal(journal), m_screens(screens) {}

  void Enter() override { m_journal->push_back("enter " + m_name); }
  void Update(const ScreenFrame&) override {
    m_journal->push_back("update " + m_name);
    for (ScreenId id : asks) m_screens->SwitchTo(id);
  }
  void Leave() override { m_journal->push_back("leave " + m_name); }

  std::vector<ScreenId> asks;

 private:
  std::string m_name;
  std::vector<std::string>* m_journal;
  ScreenSwitcher* m_screens;
};

class ScreenSwitcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int id = 0; id < kScreenCount; ++id) {  // each screen is named by its id: MainMenu is "5"
      auto screen = std::make_unique<JournalScreen>(std::to_string(id), &journal, &screens);
      journalScreens[id] = screen.get();
      screens.Add(static_cast<ScreenId>(id), std::move(screen));
    }
  }
  void RunFrame() { screens.Update(ScreenFrame{keys, 0.01f}); }

  std::vector<std::string> journal;
  ScreenSwitcher screens;
  JournalScreen* journalScreens[kScreenCount] = {};
  MenuKeys keys;
};

TEST_F(ScreenSwitcherTest, ASwitchLeavesTheOldScreenBeforeEnteringTheLastOneAskedForOnceAtTheFramesEnd) {
  screens.Start(MainMenu);
  journalScreens[MainMenu]->asks = {Record, FreePlay};
  RunFrame();
  EXPECT_EQ(screens.CurrentId(), FreePlay);
  RunFrame();
  const std::vector<std::string> expected = {"enter 5", "update 5", "leave 5", "enter 0", "update 0"};
  EXPECT_EQ(journal, expected);
}

TEST_F(ScreenSwitcherTest, AskingForTheShownScreenLeavesAndEntersNothing) {
  screens.Start(Assign);
  journalScreens[Assign]->asks = {PresetMenu, Assign};
  RunFrame();
  EXPECT_EQ(screens.CurrentId(), Assign);
  const std::vector<std::string> expected = {"enter 2", "update 2"};
  EXPECT_EQ(journal, expected);
}

}  // namespace
