#include "backline/app/menu_keys.h"

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
};

bool SourceDown(const CInput& input, const MenuKeySource& source) {
  if (source.key != kNoKey && input.GetKeyState(source.key)) return true;
  if (source.button != kNoButton && input.GetJoyButton(0, source.button) != 0.0f) return true;
  return source.pov != kNoPov && input.GetJoyPOV(0, 0) == source.pov;
}

}  // namespace

void PollMenuKeys(MenuKeys* keys, const CInput* input, float frameTime) {
  keys->startupTime += frameTime;
  if (keys->startupTime < MenuKeys::kStartupHold) return;
  for (bool& event : keys->event) event = false;
  if (!input) return;
  for (int key = 0; key < kMenuKeyCount; ++key) {
    if (!SourceDown(*input, kSources[key])) {
      keys->held[key] = false;
    } else if (!keys->held[key]) {
      keys->held[key] = true;
      keys->event[key] = true;
    }
  }
}
