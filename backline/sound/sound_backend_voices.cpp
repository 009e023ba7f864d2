#include "backline/sound/sound_backend_voices.h"

#include <cassert>

#include "basalt/foundation/clock.h"
#include "basalt/foundation/log.h"

namespace {

AudioOutput* g_output = nullptr;

bool Initialize() {
  if (!g_output) {
    Basalt::LogMessage("Failed to init voice engine: no audio output");
    return false;
  }
  return GetVoiceEngine().Start(*g_output, AudioPeriodFrames(VoiceEngine::kMixRate));
}

void Shutdown() {
  GetVoiceEngine().Stop();
  GetVoiceEngine().ReleaseAll();
  GetVoiceEngine().SetMetronome(false, 0, Basalt::GetTimeNs());  // an output opened again starts without clicks
}

bool LoadSample(int slot, const char* path) { return GetVoiceEngine().LoadSample(slot, path); }
void StopSample(int slot) { GetVoiceEngine().StopSample(slot); }
bool PlayNote(NoteSource source, const Note& note) { return GetVoiceEngine().PlayNote(source, note); }
void CancelNotes(NoteSource source) { GetVoiceEngine().CancelNotes(source); }
void SetMetronome(bool on, unsigned bpm) { GetVoiceEngine().SetMetronome(on, bpm, Basalt::GetTimeNs()); }
uint32_t MetronomeBeats() { return GetVoiceEngine().MetronomeBeats(); }
uint32_t NotesStarted() { return GetVoiceEngine().NotesStarted(); }
void UpdateSound() { GetVoiceEngine().UpdateSound(); }

}  // namespace

const SoundBackend& SoundBackendVoices() {
  static const SoundBackend table = {Initialize,  Shutdown,     LoadSample,     StopSample,   PlayNote,
                                     CancelNotes, SetMetronome, MetronomeBeats, NotesStarted, UpdateSound};
  return table;
}

void SetVoiceOutput(AudioOutput* output) {
  assert(!GetVoiceEngine().HasOutput() && "the voice engine's output changed while it plays");
  g_output = output;
}

VoiceEngine& GetVoiceEngine() {
  static VoiceEngine engine;
  return engine;
}
