#pragma once
// A SoundBackend table that writes down what the program asked of it, into
// fixed buffers (so the hit path stays free of allocations under it).
#include <string>

namespace test {

class FakeSound {
 public:
  // Installs the table as g_soundBackend; the destructor empties it.
  FakeSound();
  ~FakeSound();
  void Clear();
  // "load 3 SampleBank\Snares\a.wav", "stop 3", "play 3 0.50 @1200" (the
  // note's level and its time in ms; " v0.25" after it for a strike below
  // full strength), "metronome on 120", one a line.
  std::string Log() const;
  // The slots played, in order: "3 0 13".
  std::string Played() const;
  int Count() const;  // calls since the last Clear
  // The metronome clicks once more (what MetronomeBeats reports).
  void Beat();
};

}  // namespace test
