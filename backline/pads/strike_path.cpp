#include "backline/pads/strike_path.h"

#include <algorithm>

#include "backline/common/app_cvars.h"
#include "backline/pads/velocity_curve.h"
#include "backline/sound/sound_backend.h"
#include "basalt/input/key_codes.h"

const unsigned char kKitKeys[kPadButtons] = {Basalt::DIK_A, Basalt::DIK_S, Basalt::DIK_D, Basalt::DIK_F, Basalt::DIK_X};

namespace {

using Basalt::InputEvent;
using Basalt::TimeNs;

// The kit button a key strikes, or -1.
int KitButtonOfKey(int key) {
  const unsigned char* found = std::find(kKitKeys, kKitKeys + kPadButtons, key);
  return found == kKitKeys + kPadButtons ? -1 : static_cast<int>(found - kKitKeys);
}

bool IsKitButton(const InputEvent& event) { return event.joy >= 0 && event.joy < kKits && event.code < kPadButtons; }

bool UsesPolling(int button) { return g_usePollMethod != 0 && button != BassPedal; }

TimeNs RepeatInterval() { return g_hitDelayThreshold * Basalt::kNsPerMs; }

}  // namespace

StrikePath::StrikePath(const StrikeTable& table) : m_table(table) {}

void StrikePath::OnInputEvent(const InputEvent& event) {
  switch (event.type) {
    case InputEvent::KeyDown:
    case InputEvent::KeyUp: {
      const int button = KitButtonOfKey(event.code);
      if (button < 0) return;
      if (event.type == InputEvent::KeyDown)
        Press(0, button, event.time, 1.0f);
      else
        Release(0, button, event.time);
      return;
    }
    case InputEvent::ButtonDown:
      if (IsKitButton(event)) Press(event.joy, event.code, event.time, event.velocity);
      return;
    case InputEvent::ButtonUp:
      if (IsKitButton(event)) Release(event.joy, event.code, event.time);
      return;
    case InputEvent::ControllerUnplugged:
      if (event.joy >= 0 && event.joy < kKits) ReleaseKit(event.joy, event.time);
      return;
    default:
      return;
  }
}

void StrikePath::OnInputPoll(TimeNs now) {
  for (MidiStrike strike; m_midi.TakeStrike(&strike);) StrikeFromMidi(strike, now);
  if (g_usePollMethod == 0) return;
  for (int kit = 0; kit < kKits; ++kit)
    for (int button = 0; button < kPadButtons; ++button)
      if (m_held[kit][button] && UsesPolling(button) && RepeatDue(kit, button, now)) Strike(kit, button, now);
}

void StrikePath::Press(int kit, int button, TimeNs time, float velocity) {
  if (!m_table.KitPlays(kit)) return;
  m_held[kit][button] = true;
  m_pressVelocity[kit][button] = velocity;
  if (button == BassPedal && m_table.EnablesSecondaries(m_table.PadSlotOfButton(kit, button))) SetModifier(kit, true);
  if (UsesPolling(button) && !RepeatDue(kit, button, time)) return;
  Strike(kit, button, time);
}

void StrikePath::Release(int kit, int button, TimeNs time) {
  if (!m_held[kit][button]) return;
  m_held[kit][button] = false;
  if (button != BassPedal || !m_modifierHeld[kit]) return;
  SetModifier(kit, false);
  if (m_table.Live())
    Report({StrikeReport::ModifierReleased, kit, button, m_table.PadSlotOfButton(kit, button), false, time, 1.0f});
}

void StrikePath::ReleaseKit(int kit, TimeNs time) {
  for (int button = 0; button < kPadButtons; ++button) Release(kit, button, time);
}

bool StrikePath::RepeatDue(int kit, int button, TimeNs time) const {
  return time - m_lastStrike[kit][button] > RepeatInterval();
}

void StrikePath::SetModifier(int kit, bool held) {
  m_modifierHeld[kit] = held;
  m_secondariesHeld.store(std::any_of(std::begin(m_modifierHeld), std::end(m_modifierHeld), [](bool h) { return h; }),
                          std::memory_order_relaxed);
}

void StrikePath::Strike(int kit, int button, TimeNs time) {
  m_lastStrike[kit][button] = time;
  if (!m_table.Live()) return;
  const bool modifier = button == BassPedal && m_modifierHeld[kit];
  const float velocity = m_pressVelocity[kit][button];
  m_midi.SendStrike(SoundPad(kit, button, m_table.PadSlotOfButton(kit, button), modifier, velocity, time), velocity);
}

void StrikePath::StrikeFromMidi(const MidiStrike& strike, TimeNs time) {
  const int kit = strike.padSlot / kPadsPerKit, pad = strike.padSlot % kPadsPerKit;
  if (!m_table.Live() || !m_table.KitPlays(kit)) return;
  const bool modifier = m_table.EnablesSecondaries(strike.padSlot);
  SoundPad(kit, pad, strike.padSlot, modifier, strike.velocity, time);
  if (modifier) Report({StrikeReport::ModifierReleased, kit, pad, strike.padSlot, false, time, 1.0f});
}

int StrikePath::SoundPad(int kit, int button, int padSlot, bool modifier, float velocity, TimeNs time) {
  const bool secondary = !modifier && SecondariesHeld() && m_table.HasSecondary(padSlot);
  const int soundSlot = SoundSlotOf(padSlot, secondary ? SecondarySample : PrimarySample);
  const int playedSlot = m_table.SoundSlotFor(soundSlot, velocity);
  const float level = m_table.Volume(soundSlot) * VelocityLevel(velocity);
  g_soundBackend.PlayNote(NoteSource::Input, Note{playedSlot, level, PickPitch(&m_pitchSeed), time, velocity});
  Report({StrikeReport::Strike, kit, button, padSlot, secondary, time, velocity});
  return soundSlot;
}

void StrikePath::Report(const StrikeReport& report) {
  if (!m_reports.Push(report)) m_dropped.fetch_add(1, std::memory_order_relaxed);
}
