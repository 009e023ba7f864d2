#pragma once
// A note: one sound to start on a sound slot, at the output sample that
// corresponds to its time on the instrument clock plus the back end's fixed
// delay (one device period). Notes travel to the audio thread through a
// single-producer queue per sending thread, so each sending thread names
// itself by its NoteSource.
#include "basalt/foundation/clock.h"

// The threads that send notes; each has a queue of its own.
enum class NoteSource : int {
  Main = 0,   // the main thread: previews, playback (scheduled ahead of time)
  Input = 1,  // the input thread: strikes of kits and keys
};
constexpr int kNoteSources = 2;

// The velocity of a strike from a kit or key that reports none.
constexpr float kFullVelocity = 1.0f;

struct Note {
  int slot = 0;              // sound slot 0..340 (backline/common/pad_slots.h)
  float volume = 1.0f;       // 0..1, the level heard: the pad's volume times the velocity's (velocity_curve.h)
  float pitch = 1.0f;        // frequency ratio of the pitch spread (PickPitch)
  Basalt::TimeNs time = 0;   // when it was struck, or when it is due
  float velocity = 1.0f;     // 0..1, the strike's strength as the kit reported it (1: a key, or none reported)
};
