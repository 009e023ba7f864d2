#include "backline/controls/menu_keys.h"

#include "basalt/input/key_codes.h"

namespace {

constexpr int kNoKey = 0, kNoButton = -1, kNoPov = -2;

// Where each event comes from: a key, a button of controller 0, and a
// reading of controller 0's first hat.
struct MenuKeySource {
  int key, button, pov;
};

using namespace Basalt;
const MenuKeySource kSources[kMenuKeyCount] = {
    {DIK_UP, kNoButton, 0},
    {DIK_DOWN, kNoButton, 18000},
    {DIK_LEFT, kNoButton, 27000},
    {DIK_RIGHT, kNoButton, 9000},
    {DIK_RETURN, kNoButton, kNoPov},
    {DIK_ESCAPE, 6, kNoPov},
    {DIK_TAB, kNoButton, kNoPov},
    {DIK_SPACE, kNoButton, kNoPov},
    {DIK_NEXT, kNoButton, kNoPov},
    {DIK_PRIOR, kNoButton, kNoPov},
    {kNoKey, 1, kNoPov},
    {kNoKey, 0, kNoPov},
    {kNoKey, 2, kNoPov},
    {kNoKey, 3, kNoPov},
    {kNoKey, kNoButton, kNoPov},
    {DIK_W, kNoButton, kNoPov},
    {DIK_M, kNoButton, kNoPov},
};

bool SourceDown(const Input& input, const MenuKeySource& source) {
  if (source.key != kNoKey && input.GetKeyState(source.key)) return true;
  if (source.button != kNoButton && input.GetJoyButton(0, source.button) != 0.0f) return true;
  return source.pov != kNoPov && input.GetJoyHat(0, 0) == source.pov;
}

bool PressOf(const InputEvent& press, const MenuKeySource& source) {
  switch (press.type) {
    case InputEvent::KeyDown:
      return source.key != kNoKey && press.code == source.key;
    case InputEvent::ButtonDown:
      return press.joy == 0 && source.button != kNoButton && press.code == source.button;
    case InputEvent::HatMoved:
      return press.joy == 0 && press.code == 0 && press.value == source.pov;
    default:
      return false;
  }
}

bool IsPad(int key) { return key >= MenuPadButton1 && key <= MenuPadButton3; }

// The menu key a press is of, or kMenuKeyCount for none.
int MenuKeyOf(const InputEvent& press) {
  int key = 0;
  while (key < kMenuKeyCount && !PressOf(press, kSources[key])) ++key;
  return key;
}

void Enqueue(MenuKeys* keys, int key) {
  if (keys->waitingCount == MenuKeys::kQueueCapacity) return;
  keys->waiting[(keys->waitingHead + keys->waitingCount++) % MenuKeys::kQueueCapacity] = static_cast<MenuKey>(key);
}

void QueuePresses(MenuKeys* keys, const Input& input) {
  int count = 0;
  const InputEvent* presses = input.GetFramePresses(&count);
  for (int i = 0; i < count; ++i) {
    const int key = MenuKeyOf(presses[i]);
    if (key < kMenuKeyCount && !(keys->padsPlay && IsPad(key))) Enqueue(keys, key);
  }
}

void DeliverOne(MenuKeys* keys) {
  if (keys->waitingCount == 0) return;
  keys->event[keys->waiting[keys->waitingHead]] = true;
  keys->waitingHead = (keys->waitingHead + 1) % MenuKeys::kQueueCapacity;
  --keys->waitingCount;
}

}  // namespace

void PollMenuKeys(MenuKeys* keys, const Input* input, float frameTime) {
  keys->startupTime += frameTime;
  for (bool& event : keys->event) event = false;
  if (input) {
    for (int key = 0; key < kMenuKeyCount; ++key) keys->held[key] = SourceDown(*input, kSources[key]);
    QueuePresses(keys, *input);
  }
  if (keys->startupTime >= MenuKeys::kStartupHold) DeliverOne(keys);
}
