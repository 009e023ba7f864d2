#include "backline/screens/screen_switcher.h"

#include <cassert>
#include <utility>

void ScreenSwitcher::Add(ScreenId id, std::unique_ptr<Screen> screen) {
  assert(id < kScreenCount && !m_screens[id] && screen);
  m_screens[id] = std::move(screen);
}

void ScreenSwitcher::Start(ScreenId first) {
  m_current = m_next = first;
  m_started = true;
  Current().Enter();
}

void ScreenSwitcher::Update(const ScreenFrame& frame) {
  Current().Update(frame);
  Apply();
}

void ScreenSwitcher::Apply() {
  if (m_next == m_current) return;
  Current().Leave();
  m_current = m_next;
  Current().Enter();
}

Screen& ScreenSwitcher::Get(ScreenId id) const {
  assert(id < kScreenCount && m_screens[id]);
  return *m_screens[id];
}
