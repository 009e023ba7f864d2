#include "backline/sound/sound_backend_silent.h"

namespace {

bool Initialize() { return true; }
void Shutdown() {}
bool LoadSample(int, const char*) { return true; }
void StopSample(int) {}
bool PlayNote(NoteSource, const Note&) { return false; }
void CancelNotes(NoteSource) {}
void SetMetronome(bool, unsigned) {}
uint32_t MetronomeBeats() { return 0; }
uint32_t NotesStarted() { return 0; }
void UpdateSound() {}

}  // namespace

const SoundBackend& SoundBackendSilent() {
  static const SoundBackend table = {Initialize,  Shutdown,     LoadSample,     StopSample,   PlayNote,
                                     CancelNotes, SetMetronome, MetronomeBeats, NotesStarted, UpdateSound};
  return table;
}
