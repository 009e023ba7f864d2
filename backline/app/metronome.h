#pragma once
// The metronome: while on, it clicks sound slot 20 once per beat on any
// screen, keeping its beat grid when a frame comes a little late, and the
// Up and Down keys change the tempo (20..220, about seven steps a second
// while held). It also keeps the read-out's opacity and flash for the screen
// that draws it. Main thread, once per frame.
#include <cstdint>

#include "basalt/input/input.h"

struct Metronome {
  static constexpr unsigned kMinBpm = 20, kMaxBpm = 220;
  static constexpr uint32_t kTempoRepeatMs = 150;

  unsigned bpm = 120;
  uint32_t lastTickTime;  // GetTimeMs of the last click (the grid)
  bool on = false;
  float flash = 0.0f;    // 0.5 on a click, fading by one per second
  float opacity = 0.0f;  // of the read-out box: fades in while on, 0 while off
  uint32_t lastRaise = 0, lastLower = 0;

  Metronome();  // the grid starts now
};

// One frame: clicks when a beat is due (true then), fades the flash and reads
// the tempo keys (input null: none). Off, only the read-out turns transparent.
bool UpdateMetronome(Metronome* metronome, const CInput* input, float frameTime);

// The beat interval at the current tempo, ms.
float BeatIntervalMs(const Metronome& metronome);

// The colour of the tempo read-out (ARGB): green on a click, fading to grey.
uint32_t TempoColour(const Metronome& metronome);
