#include "backline/pads/pad_hits.h"

#include <cassert>

#include "backline/app/app_clock.h"
#include "backline/app/app_cvars.h"
#include "backline/sound/sound_backend.h"
#include "basalt/input/key_codes.h"

const unsigned char kKitKeys[kPadButtons] = {Basalt::DIK_A, Basalt::DIK_S, Basalt::DIK_D, Basalt::DIK_F, Basalt::DIK_X};

namespace {

constexpr uint32_t kReleased = 0, kHeld = 1;

bool ButtonDown(const CInput* input, int kit, int button) {
  if (!input) return false;
  if (input->GetJoyButton(kit, button) != 0.0f) return true;
  return kit == 0 && input->GetKeyState(kKitKeys[button]);
}

bool PedalDown(const CInput* input, int kit) { return input && input->GetJoyButton(kit, BassPedal) != 0.0f; }

bool DetectEdge(uint32_t* state, bool pressed) {
  if (!pressed) {
    *state = kReleased;
    return false;
  }
  if (*state != kReleased) return false;
  *state = kHeld;
  return true;
}

bool DetectRepeat(uint32_t* lastHit, bool pressed) {
  if (!pressed) return false;
  const uint32_t now = GetTimeMs();
  if (now - *lastHit <= static_cast<uint32_t>(g_hitDelayThreshold)) return false;
  *lastHit = now;
  return true;
}

}  // namespace

bool DetectPadHit(HitState* hits, const CInput* input, int kit, int button) {
  assert(kit >= 0 && kit < kKits && button >= 0 && button < kPadButtons);
  uint32_t* state = &hits->state[kit * kPadButtons + button];
  const bool pressed = ButtonDown(input, kit, button);
  if (button == BassPedal || g_usePollMethod == 0) return DetectEdge(state, pressed);
  return DetectRepeat(state, pressed);
}

void UpdateSecondariesModifier(bool* secondariesHeld, const PadAssignment& assignment, const CInput* input) {
  for (int kit = 0; kit < kKits; ++kit)
    if (assignment.function[PadSlotOf(kit, BassPedal)] == EnableSecondaries) *secondariesHeld = PedalDown(input, kit);
}

bool ChooseSecondary(const PadAssignment& assignment, int padSlot, bool secondariesHeld) {
  return secondariesHeld && assignment.secondary[padSlot] >= 0;
}

int StrikePadSlot(int padSlot, bool secondary, const PadVolumes& volumes) {
  assert(padSlot >= 0 && padSlot < kPadSlots);
  const int soundSlot = SoundSlotOf(padSlot, secondary ? SecondarySample : PrimarySample);
  g_soundBackend.PlaySample(soundSlot, volumes.volume[soundSlot]);
  return padSlot;
}

int PadHit(const PadMap& map, int kit, int button, bool secondary, const PadVolumes& volumes) {
  return StrikePadSlot(PadSlotOfButton(map, kit, button), secondary, volumes);
}

void PlayPadHits(HitState* hits, const PadPlayState& play, const CInput* input, FrameStrikes* out) {
  out->count = 0;
  if (!input) return;
  const int numJoys = input->GetNumJoys();
  for (int kit = 0; kit < kKits && (numJoys == 0 || kit < numJoys); ++kit)
    for (int button = 0; button < kPadButtons; ++button) {
      if (!DetectPadHit(hits, input, kit, button)) continue;
      const int padSlot = PadSlotOfButton(*play.map, kit, button);
      const bool secondary = ChooseSecondary(*play.assignment, padSlot, play.secondariesHeld);
      PadHit(*play.map, kit, button, secondary, *play.volumes);
      out->strikes[out->count++] = PadStrike{kit, button, padSlot, secondary};
    }
}
