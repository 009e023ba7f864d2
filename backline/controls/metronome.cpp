#include "backline/controls/metronome.h"

#include "backline/common/app_clock.h"
#include "backline/sound/sound_backend.h"
#include "basalt/input/key_codes.h"

namespace {

constexpr float kFlashLevel = 0.5f;
constexpr float kFadeInPerSecond = 3.0f;

// While a tempo key is held, one step every kTempoRepeatMs.
bool Repeat(bool held, uint32_t* last) {
  if (!held) return false;
  const uint32_t now = GetTimeMs();
  if (now - *last <= Metronome::kTempoRepeatMs) return false;
  *last = now;
  return true;
}

// The kits' D-pads are read in every frame, the tempo stepped only while the metronome runs.
void ReadTempoKeys(Metronome* metronome, const Input* input) {
  if (!input) return;
  const KitTempoKeys kits = ReadKitTempo(&metronome->kitPads, *input);
  if (!metronome->on) return;
  if (Repeat(input->GetKeyState(Basalt::DIK_UP) || kits.raise, &metronome->lastRaise) &&
      metronome->bpm < Metronome::kMaxBpm)
    ++metronome->bpm;
  if (Repeat(input->GetKeyState(Basalt::DIK_DOWN) || kits.lower, &metronome->lastLower) &&
      metronome->bpm > Metronome::kMinBpm)
    --metronome->bpm;
}

// Tells the sound back end only what changed: a new call restarts nothing.
void Publish(Metronome* metronome) {
  if (metronome->on == metronome->clicking && (!metronome->on || metronome->bpm == metronome->clickingBpm)) return;
  if (g_soundBackend.SetMetronome) g_soundBackend.SetMetronome(metronome->on, metronome->bpm);
  metronome->clicking = metronome->on;
  metronome->clickingBpm = metronome->bpm;
}

// Whether the audio clock has clicked since the last look.
bool Clicked(Metronome* metronome) {
  const uint32_t beats = g_soundBackend.MetronomeBeats ? g_soundBackend.MetronomeBeats() : 0;
  const bool clicked = beats != metronome->beatsSeen;
  metronome->beatsSeen = beats;
  return clicked;
}

}  // namespace

bool UpdateMetronome(Metronome* metronome, const Input* input, float frameTime) {
  ReadTempoKeys(metronome, input);
  Publish(metronome);
  const bool clicked = Clicked(metronome);
  if (!metronome->on) {
    metronome->opacity = 0.0f;
    return false;
  }
  if (metronome->opacity < 1.0f) metronome->opacity += kFadeInPerSecond * frameTime;
  if (metronome->opacity > 1.0f) metronome->opacity = 1.0f;
  metronome->flash = metronome->flash > frameTime ? metronome->flash - frameTime : 0.0f;
  if (clicked) metronome->flash = kFlashLevel;
  return clicked;
}

uint32_t TempoColour(const Metronome& metronome) {
  const auto grey = static_cast<uint32_t>((kFlashLevel - metronome.flash) * 255.0f);
  const auto green = static_cast<uint32_t>((metronome.flash + kFlashLevel) * 255.0f);
  return 0xFF000000u | grey << 16 | green << 8 | grey;
}
