#include "tests/backline/pads/fake_sound.h"

#include <cstdio>
#include <cstring>

namespace test {

namespace {

SoundCall g_calls[FakeSound::kMaxCalls];
int g_count = 0;

SoundCall* Next(SoundCall::Kind kind, int slot) {
  if (g_count == FakeSound::kMaxCalls) return nullptr;
  SoundCall* call = &g_calls[g_count++];
  *call = SoundCall{kind, slot, 0.0f, {}};
  return call;
}

bool Load(int slot, const char* path) {
  if (SoundCall* call = Next(SoundCall::Load, slot)) std::snprintf(call->path, sizeof call->path, "%s", path);
  return true;
}

void Stop(int slot) { Next(SoundCall::Stop, slot); }

bool Play(int slot, float volume) {
  if (SoundCall* call = Next(SoundCall::Play, slot)) call->volume = volume;
  return true;
}

}  // namespace

FakeSound::FakeSound() {
  Clear();
  g_soundBackend = {};
  g_soundBackend.LoadSample = &Load;
  g_soundBackend.StopSample = &Stop;
  g_soundBackend.PlaySample = &Play;
}

FakeSound::~FakeSound() { g_soundBackend = {}; }

int FakeSound::Count() const { return g_count; }
void FakeSound::Clear() { g_count = 0; }

std::string FakeSound::Log() const {
  std::string text;
  char line[256];
  for (int i = 0; i < g_count; ++i) {
    const SoundCall& call = g_calls[i];
    if (call.kind == SoundCall::Load) std::snprintf(line, sizeof line, "load %d %s\n", call.slot, call.path);
    if (call.kind == SoundCall::Stop) std::snprintf(line, sizeof line, "stop %d\n", call.slot);
    if (call.kind == SoundCall::Play) std::snprintf(line, sizeof line, "play %d %.2f\n", call.slot, call.volume);
    text += line;
  }
  return text;
}

std::string FakeSound::Played() const {
  std::string text;
  for (int i = 0; i < g_count; ++i)
    if (g_calls[i].kind == SoundCall::Play) text += (text.empty() ? "" : " ") + std::to_string(g_calls[i].slot);
  return text;
}

}  // namespace test
