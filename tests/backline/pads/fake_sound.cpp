#include "tests/backline/pads/fake_sound.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "backline/sound/sound_backend.h"

namespace test {

namespace {

char g_log[32768], g_played[4096];
int g_count = 0;

template <size_t N>
void Append(char (&buffer)[N], const char* format, ...) __attribute__((format(printf, 2, 3)));
template <size_t N>
void Append(char (&buffer)[N], const char* format, ...) {
  const size_t used = std::strlen(buffer);
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer + used, N - used, format, args);
  va_end(args);
}

bool Load(int slot, const char* path) {
  ++g_count;
  Append(g_log, "load %d %s\n", slot, path);
  return true;
}

void Stop(int slot) {
  ++g_count;
  Append(g_log, "stop %d\n", slot);
}

bool Play(NoteSource, const Note& note) {
  ++g_count;
  Append(g_log, "play %d %.2f @%lld", note.slot, static_cast<double>(note.volume),
         static_cast<long long>(note.time / Basalt::kNsPerMs));
  if (note.velocity != 1.0f) Append(g_log, " v%.2f", static_cast<double>(note.velocity));
  Append(g_log, "\n");
  Append(g_played, g_played[0] ? " %d" : "%d", note.slot);
  return true;
}

void SetMetronome(bool on, unsigned bpm) {
  ++g_count;
  Append(g_log, "metronome %s %u\n", on ? "on" : "off", bpm);
}

uint32_t g_beats = 0;
uint32_t Beats() { return g_beats; }

}  // namespace

FakeSound::FakeSound() {
  Clear();
  g_soundBackend = {};
  g_soundBackend.LoadSample = &Load;
  g_soundBackend.StopSample = &Stop;
  g_soundBackend.PlayNote = &Play;
  g_soundBackend.SetMetronome = &SetMetronome;
  g_soundBackend.MetronomeBeats = &Beats;
}

FakeSound::~FakeSound() { g_soundBackend = {}; }

void FakeSound::Beat() { ++g_beats; }

void FakeSound::Clear() {
  g_log[0] = g_played[0] = '\0';
  g_beats = 0;
  g_count = 0;
}

std::string FakeSound::Log() const { return g_log; }
std::string FakeSound::Played() const { return g_played; }
int FakeSound::Count() const { return g_count; }

}  // namespace test
