// The SDL_mixer back end. Notes reach it through a NoteScheduler, as they
// reach the voice engine; a dispatcher thread of the back end wakes about
// every millisecond, collects the span of time since its previous wake
// (counted in 48 kHz frames of the instrument clock, so the metronome's grid
// is kept to the millisecond) and starts the notes and beats due in it with
// Mix_PlayChannel.
//
// What SDL_mixer cannot do as well as the voice engine: it has no way to
// start a sound at a given sample. A note starts at SDL_mixer's next mixing
// pass after the dispatcher has seen it due, so its latency varies between
// nothing and one device period plus the dispatcher's millisecond, instead
// of being one constant period; and every start takes SDL's device lock
// (inside Mix_PlayChannel), so it may wait for a mixing pass to end. There is
// no pitch spread. It is the fallback.
//
// Samples are decoded by the voice engine's decoder (sample_decoder.h) and
// converted to the device's format once, at load: the two back ends play the
// same files, and the same sound from each.
#include "backline/sound/sdl/sound_backend_sdl_mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <climits>
#include <cmath>
#include <mutex>
#include <thread>

#include "backline/common/pad_slots.h"
#include "backline/sound/sdl/mixer_sound.h"
#include "backline/sound/note_scheduler.h"
#include "backline/sound/sample_decoder.h"
#include "basalt/foundation/clock.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"

using Basalt::TimeNs;

namespace {

constexpr int kSlots = kSoundSlots;
constexpr int kRate = 48000;
constexpr int kChannels = 2;
// Enough for every slot the program uses to sound five times at once.
constexpr int kMixerChannels = 128;
constexpr auto kDispatchPeriod = std::chrono::milliseconds(1);
const char kFailedToRead[] = "Failed to read WAV file";

int64_t FramesIn(TimeNs span) {
  return span / Basalt::kNsPerSecond * kRate + span % Basalt::kNsPerSecond * kRate / Basalt::kNsPerSecond;
}
TimeNs NsOfFrames(int64_t frames) {
  return frames / kRate * Basalt::kNsPerSecond + frames % kRate * Basalt::kNsPerSecond / kRate;
}

// What the back end holds; released by Shutdown, or at exit.
struct MixerState {
  std::mutex soundLock;  // between the main thread's loads and the dispatcher's starts
  std::unique_ptr<MixerSound> sounds[kSlots];
  std::atomic<bool> loaded[kSlots] = {};  // what PlayNote accepts
  NoteScheduler scheduler{kRate};
  std::thread dispatcher;
  std::atomic<bool> stopping{false};
  TimeNs origin = 0;  // the instrument-clock time of the scheduler's frame 0
  bool deviceOpen = false;

  ~MixerState() { Close(); }
  void Close() {
    StopDispatcher();
    for (int slot = 0; slot < kSlots; ++slot) Release(slot);
    if (!deviceOpen) return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceOpen = false;
  }
  void StopDispatcher() {
    if (!dispatcher.joinable()) return;
    stopping.store(true);
    dispatcher.join();
    stopping.store(false);
  }
  void Release(int slot) {
    loaded[slot].store(false);
    std::unique_ptr<MixerSound> sound;
    {
      std::lock_guard<std::mutex> lock(soundLock);
      std::swap(sound, sounds[slot]);
    }
    sound.reset();  // halts the channels playing it first
  }
};

MixerState g_mixer;

bool IsSlot(int slot) { return slot >= 0 && slot < kSlots; }

// Dispatcher thread: plays note on a free mixer channel (else the oldest).
bool PlayNow(const Note& note) {
  std::lock_guard<std::mutex> lock(g_mixer.soundLock);
  Mix_Chunk* const chunk = IsSlot(note.slot) && g_mixer.sounds[note.slot] ? g_mixer.sounds[note.slot]->Chunk() : nullptr;
  if (!chunk) return false;
  int channel = Mix_GroupAvailable(-1);
  if (channel == -1) channel = Mix_GroupOldest(-1);
  Mix_Volume(channel, static_cast<int>(std::lround(std::clamp(note.volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  return Mix_PlayChannel(channel, chunk, 0) != -1;
}

// Dispatcher thread: the span from the previous wake through now.
void Dispatch() {
  NoteScheduler& scheduler = g_mixer.scheduler;
  const int64_t through = FramesIn(Basalt::GetTimeNs() - g_mixer.origin) + 1;
  const int64_t frames = std::min<int64_t>(through - scheduler.StreamFrame(), INT_MAX);
  if (frames <= 0) return;
  // SDL_mixer starts each note at once: its offset within the span is not used.
  auto play = [](const Note& note, int) { return PlayNow(note); };
  scheduler.Collect(g_mixer.origin + NsOfFrames(scheduler.StreamFrame()), static_cast<int>(frames), play);
}

void DispatchUntilStopped() {
  while (!g_mixer.stopping.load()) {
    Dispatch();
    std::this_thread::sleep_for(kDispatchPeriod);
  }
}

bool Initialize() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    Basalt::LogMessage("SDL_mixer: cannot start SDL audio: %s", SDL_GetError());
    return false;
  }
  // Without SDL_AUDIO_ALLOW_SAMPLES_CHANGE the mixer is always called for
  // exactly this many frames, so this is the period it runs with.
  const int periodFrames = AudioPeriodFrames(kRate);
  if (Mix_OpenAudioDevice(kRate, AUDIO_F32SYS, kChannels, periodFrames, nullptr,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
    Basalt::LogMessage("SDL_mixer: cannot open the audio device: %s", Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  g_mixer.deviceOpen = true;
  Mix_AllocateChannels(kMixerChannels);
  int rate = 0;
  int channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  Basalt::LogMessage("Audio device: %d Hz, %d channels, %d-frame buffer (%.1f ms)", rate, channels, periodFrames,
                     1000.0 * periodFrames / rate);
  // The stream goes on from where a previous dispatcher left it.
  g_mixer.origin = Basalt::GetTimeNs() - NsOfFrames(g_mixer.scheduler.StreamFrame());
  g_mixer.dispatcher = std::thread(DispatchUntilStopped);
  return true;
}

void Shutdown() { g_mixer.Close(); }

void StopSample(int slot) {
  if (IsSlot(slot)) g_mixer.Release(slot);
}

// The sample file at path, decoded as the voice engine decodes it, in the
// device's format; null, with a log line, when it is refused.
std::unique_ptr<MixerSound> LoadSound(const char* path) {
  DecodedSample decoded;
  if (!DecodeSampleFile(path, &decoded)) return nullptr;
  std::unique_ptr<MixerSound> sound = MixerSound::Make(decoded);
  if (!sound) Basalt::LogMessage("%s %s: %s", kFailedToRead, path, SDL_GetError());
  return sound;
}

bool LoadSample(int slot, const char* path) {
  StopSample(slot);
  if (!IsSlot(slot) || !g_mixer.deviceOpen) return false;
  std::unique_ptr<MixerSound> sound =
      Basalt::RunGuarded(kFailedToRead, path, std::unique_ptr<MixerSound>(), [&] { return LoadSound(path); });
  if (!sound) return false;
  {
    std::lock_guard<std::mutex> lock(g_mixer.soundLock);
    g_mixer.sounds[slot] = std::move(sound);
  }
  g_mixer.loaded[slot].store(true);
  return true;
}

bool PlayNote(NoteSource source, const Note& note) {
  if (!IsSlot(note.slot) || !g_mixer.loaded[note.slot].load()) return false;
  return g_mixer.scheduler.Send(source, note);
}

void CancelNotes(NoteSource source) { g_mixer.scheduler.Cancel(source); }
void SetMetronome(bool on, unsigned bpm) { g_mixer.scheduler.SetMetronome(on, bpm, Basalt::GetTimeNs()); }
uint32_t MetronomeBeats() { return g_mixer.scheduler.MetronomeBeats(); }
uint32_t NotesStarted() { return g_mixer.scheduler.NotesStarted(); }
void UpdateSound() {}

}  // namespace

const SoundBackend& SoundBackendSDLMixer() {
  static const SoundBackend table = {Initialize,  Shutdown,     LoadSample,     StopSample,   PlayNote,
                                     CancelNotes, SetMetronome, MetronomeBeats, NotesStarted, UpdateSound};
  return table;
}
