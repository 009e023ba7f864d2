#pragma once
// The metronome's screen side: whether it runs, its tempo (20..220; the Up
// and Down keys, or a kit's D-pad (kit_controls.h), step it about seven times
// a second while held), and the
// read-out's opacity and flash. The clicks themselves fall on the audio
// clock, every 60 / bpm seconds to the sample (SoundBackend::SetMetronome);
// each frame tells the sound back end what changed and flashes when a beat
// has sounded since the last frame. Main thread, once per frame.
#include <cstdint>

#include "backline/controls/kit_controls.h"
#include "basalt/input/input.h"

struct Metronome {
  static constexpr unsigned kMinBpm = 20, kMaxBpm = 220;
  static constexpr uint32_t kTempoRepeatMs = 150;

  unsigned bpm = 120;
  bool on = false;
  float flash = 0.0f;    // 0.5 on a click, fading by one per second
  float opacity = 0.0f;  // of the read-out box: fades in while on, 0 while off
  uint32_t lastRaise = 0, lastLower = 0;
  KitTempoPads kitPads;  // the kits' D-pads as tempo keys

  // What the sound back end was last told, and the beats it had clicked then.
  bool clicking = false;
  unsigned clickingBpm = 0;
  uint32_t beatsSeen = 0;
};

// One frame: reads the tempo keys and the kits' D-pads (input null: none), tells the sound back
// end when the metronome was switched or its tempo changed, and flashes when
// it has clicked since the last frame (true then). Off, only the read-out
// turns transparent.
bool UpdateMetronome(Metronome* metronome, const Input* input, float frameTime);

// The colour of the tempo read-out (ARGB): green on a click, fading to grey.
uint32_t TempoColour(const Metronome& metronome);
