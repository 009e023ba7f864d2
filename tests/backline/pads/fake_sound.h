#pragma once
// A SoundBackend table that records what the program asked of it, for tests
// that check which sample went into which slot and what was played. Records
// into fixed storage, so the hit path stays free of allocations under it.
#include <string>

#include "backline/sound/sound_backend.h"

namespace test {

struct SoundCall {
  enum Kind { Load, Stop, Play } kind;
  int slot;
  float volume;     // Play
  char path[200];   // Load
};

class FakeSound {
 public:
  static constexpr int kMaxCalls = 256;

  // Installs the table as g_soundBackend; the destructor empties it.
  FakeSound();
  ~FakeSound();

  int Count() const;
  void Clear();
  // "load 3 SampleBank\Snares\a.wav", "stop 3", "play 3 0.50", one per line.
  std::string Log() const;
  // The slots played, in order, separated by spaces ("3 0 13").
  std::string Played() const;
};

}  // namespace test
