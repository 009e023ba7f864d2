#include "backline/sound/sound_backend_voices.h"

#include <SDL.h>

#include "basalt/foundation/clock.h"
#include "basalt/foundation/log.h"

namespace {

bool g_audioStarted = false;

bool Initialize(int) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    Basalt::LogMessage("Failed to init voice engine: %s", SDL_GetError());
    return false;
  }
  if (!GetVoiceEngine().OpenDevice(AudioPeriodFrames(VoiceEngine::kMixRate))) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  g_audioStarted = true;
  return true;
}

void Shutdown() {
  GetVoiceEngine().CloseDevice();
  GetVoiceEngine().ReleaseAll();
  GetVoiceEngine().SetMetronome(false, 0, Basalt::GetTimeNs());  // a device opened again starts without clicks
  if (g_audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_audioStarted = false;
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

VoiceEngine& GetVoiceEngine() {
  static VoiceEngine engine;
  return engine;
}
