#include "backline/app/metronome.h"

#include "backline/app/app_clock.h"
#include "backline/pads/pad_slots.h"
#include "backline/sound/sound_backend.h"
#include "basalt/input/key_codes.h"

namespace {

constexpr float kFlashLevel = 0.5f;
constexpr float kFadeInPerSecond = 3.0f;

// Plays the click when a beat is due and moves the grid on: a click later
// than bpm milliseconds restarts the grid now, an earlier one keeps it.
bool Tick(Metronome* metronome) {
  const uint32_t now = GetTimeMs();
  const float interval = BeatIntervalMs(*metronome);
  const float elapsed = static_cast<float>(now - metronome->lastTickTime);
  if (!(interval < elapsed)) return false;
  g_soundBackend.PlaySample(kMetronomeSoundSlot, 1.0f);
  const float lateness = elapsed - interval;
  metronome->lastTickTime = lateness < static_cast<float>(metronome->bpm) ? now - static_cast<uint32_t>(lateness) : now;
  metronome->flash = kFlashLevel;
  return true;
}

// While key is held, one step every kTempoRepeatMs.
bool Repeat(const CInput* input, int key, uint32_t* last) {
  if (!input || !input->GetKeyState(key)) return false;
  const uint32_t now = GetTimeMs();
  if (now - *last <= Metronome::kTempoRepeatMs) return false;
  *last = now;
  return true;
}

void ReadTempoKeys(Metronome* metronome, const CInput* input) {
  if (Repeat(input, Basalt::DIK_UP, &metronome->lastRaise) && metronome->bpm < Metronome::kMaxBpm) ++metronome->bpm;
  if (Repeat(input, Basalt::DIK_DOWN, &metronome->lastLower) && metronome->bpm > Metronome::kMinBpm) --metronome->bpm;
}

}  // namespace

Metronome::Metronome() : lastTickTime(GetTimeMs()) {}

float BeatIntervalMs(const Metronome& metronome) { return 60000.0f / static_cast<float>(metronome.bpm); }

bool UpdateMetronome(Metronome* metronome, const CInput* input, float frameTime) {
  if (!metronome->on) {
    metronome->opacity = 0.0f;
    return false;
  }
  if (metronome->opacity < 1.0f) metronome->opacity += kFadeInPerSecond * frameTime;
  if (metronome->opacity > 1.0f) metronome->opacity = 1.0f;
  const bool clicked = Tick(metronome);
  metronome->flash = metronome->flash > frameTime ? metronome->flash - frameTime : 0.0f;
  ReadTempoKeys(metronome, input);
  return clicked;
}

uint32_t TempoColour(const Metronome& metronome) {
  const auto grey = static_cast<uint32_t>((kFlashLevel - metronome.flash) * 255.0f);
  const auto green = static_cast<uint32_t>((metronome.flash + kFlashLevel) * 255.0f);
  return 0xFF000000u | grey << 16 | green << 8 | grey;
}
