// The voice engine. Each of the 125 voice records (slot x 5 + voice) moves
// through three states: none (its slot never held a sample), ready, playing.
// A hit (PlaySample, main thread) picks a ready voice, sets its volume and
// frequency ratio and marks it started. At the start of every mixing pass
// the audio thread gives each started, ready voice its slot's sample from the
// beginning and marks it playing; when the sample runs out the voice is no
// longer busy, and the next UpdateSound (main thread) stops it and makes it
// ready again. Each thread writes only its own transitions, through atomics,
// so a hit never waits for the audio thread. A sixth hit while all five
// voices sound restarts one of them at random.
//
// The decoded samples are swapped in and out only under the device's lock
// (which the audio thread holds while it renders), and released after it is
// dropped; the hit path never takes that lock.
//
// Mixing resamples each voice by linear interpolation with a step of file
// rate / 48000 x frequency ratio, sums the voices in mono, and copies the
// clamped sum to every channel of the output.
#include "backline/sound/voice_engine.h"

#include <algorithm>
#include <cassert>

#include "backline/app/app_cvars.h"
#include "backline/sound/sample_decoder.h"
#include "backline/sound/wave_file.h"
#include "basalt/core/log.h"

using Basalt::g_pSystemLog;

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<float>::is_always_lock_free,
              "voice state shared with the audio thread must be lock-free");

namespace {

constexpr float kFreshHitGain = 1.2f;
constexpr float kMinFrequencyRatio = 1.0f / 1024.0f;
constexpr int kRequestedChannels = 2;

// Holds the device's callback lock (no-op without a device).
class DeviceLock {
 public:
  explicit DeviceLock(SDL_AudioDeviceID device) : m_device(device) {
    if (m_device) SDL_LockAudioDevice(m_device);
  }
  ~DeviceLock() {
    if (m_device) SDL_UnlockAudioDevice(m_device);
  }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

 private:
  SDL_AudioDeviceID m_device;
};

}  // namespace

struct VoiceEngine::Voice {
  // Shared between the threads.
  std::atomic<int> state{kNone};      // audio thread: ready -> playing; main: playing -> ready, any -> ready on a steal
  std::atomic<bool> started{false};   // main thread: set by a hit, cleared when the voice is stopped
  std::atomic<bool> busy{false};      // audio thread: the sample is queued and has not ended
  std::atomic<float> volume{1.0f};
  std::atomic<float> frequencyRatio{1.0f};
  // Audio thread only (or under the device lock).
  double position = 0.0;
  bool queued = false;

  void Silence() {
    started.store(false);
    busy.store(false);
    queued = false;
  }
};

struct VoiceEngine::Slot {
  bool loaded = false;
  std::vector<float> samples;  // length frames plus one trailing zero for interpolation
  size_t length = 0;
  double baseStep = 1.0;  // file rate / mix rate
};

VoiceEngine::VoiceEngine() : m_voices(kVoiceRecords), m_slots(kSoundSlots) {}

VoiceEngine::~VoiceEngine() { CloseDevice(); }

bool VoiceEngine::OpenDevice(int periodFrames) {
  assert(!m_device && "OpenDevice twice");
  SDL_AudioSpec wanted = {};
  wanted.freq = kMixRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kRequestedChannels;
  wanted.samples = static_cast<Uint16>(periodFrames);
  wanted.callback = &VoiceEngine::AudioCallback;
  wanted.userdata = this;
  SDL_AudioSpec granted = {};
  // The period is not left to the device: SDL then calls back for exactly
  // periodFrames (and SDL 2.26's dummy driver overruns the callback's buffer
  // when it may change it).
  m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &granted,
                                 SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (!m_device) {
    if (g_pSystemLog) g_pSystemLog->Send("Failed creating mastering voice: %s", SDL_GetError());
    return false;
  }
  m_deviceChannels = granted.channels;
  if (g_pSystemLog)
    g_pSystemLog->Send("Audio device: %d Hz, %d channels, %d-frame buffer (%.1f ms)", granted.freq,
                       granted.channels, granted.samples, 1000.0 * granted.samples / granted.freq);
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

void VoiceEngine::CloseDevice() {
  if (m_device) SDL_CloseAudioDevice(m_device);
  m_device = 0;
}

void VoiceEngine::AudioCallback(void* engine, Uint8* stream, int bytes) {
  auto* self = static_cast<VoiceEngine*>(engine);
  auto* out = reinterpret_cast<float*>(stream);
  const int frames = bytes / static_cast<int>(sizeof(float)) / self->m_deviceChannels;
  self->Render(out, frames, self->m_deviceChannels);
  if (const RenderObserver observer = self->m_observer.load()) observer(out, frames, self->m_deviceChannels);
}

bool VoiceEngine::IsLoadedSlot(int slot) const { return slot >= 0 && slot < kSoundSlots && m_slots[slot].loaded; }

bool VoiceEngine::LoadSample(int slot, const char* path) {
  if (slot < 0 || slot >= kSoundSlots) return false;
  StopSample(slot);
  WaveFile wave;
  if (wave.Open(path) != WaveFile::kOk) {
    if (g_pSystemLog) g_pSystemLog->Send("Failed to read WAV file %s", path ? path : "(null)");
    return false;
  }
  std::vector<uint8_t> data(wave.GetSize());
  uint32_t bytesRead = 0;
  if (!data.empty() && wave.Read(data.data(), wave.GetSize(), &bytesRead) != WaveFile::kOk) {
    if (g_pSystemLog) g_pSystemLog->Send("Failed to read WAV data");
    return false;
  }
  const WaveFormat& format = *wave.GetFormat();
  std::vector<float> samples;
  if (!DecodeToMono(format, data.data(), bytesRead, &samples)) {
    if (g_pSystemLog) g_pSystemLog->Send("Failed to create source voice: %d", format.formatTag);
    return false;
  }
  const size_t length = samples.size();
  samples.push_back(0.0f);
  DeviceLock lock(m_device);
  Slot& target = m_slots[slot];
  target.samples.swap(samples);  // the slot was stopped: nothing to release under the lock
  target.length = length;
  target.baseStep = static_cast<double>(format.samplesPerSec) / kMixRate;
  target.loaded = true;
  for (int record = slot * kVoicesPerSlot; record < (slot + 1) * kVoicesPerSlot; ++record) {
    m_voices[record].Silence();
    m_voices[record].state.store(kReady);
  }
  return true;
}

void VoiceEngine::StopSample(int slot) {
  if (slot < 0 || slot >= kSoundSlots) return;
  std::vector<float> released;  // freed after the lock is dropped
  DeviceLock lock(m_device);
  Slot& target = m_slots[slot];
  target.loaded = false;
  target.samples.swap(released);
  target.length = 0;
  for (int record = slot * kVoicesPerSlot; record < (slot + 1) * kVoicesPerSlot; ++record)
    m_voices[record].Silence();
}

void VoiceEngine::ReleaseAll() {
  for (int slot = 0; slot < kSoundSlots; ++slot) StopSample(slot);
}

float VoiceEngine::NextFrequencyRatio() {
  if (g_freqVariation <= 0) return 1.0f;
  const double spread = static_cast<double>(m_random() % static_cast<unsigned>(g_freqVariation));
  const double ratio = 1.0 - g_freqVariation * 0.001 * 0.5 + spread / 1000.0;
  return std::clamp(static_cast<float>(ratio), kMinFrequencyRatio, static_cast<float>(kMaxFrequencyRatio));
}

bool VoiceEngine::PlaySample(int slot, float volume) {
  if (!IsLoadedSlot(slot)) return false;
  Voice* const first = &m_voices[slot * kVoicesPerSlot];
  for (Voice* voice = first; voice < first + kVoicesPerSlot; ++voice) {
    if (voice->state.load() != kReady) continue;
    const float ratio = NextFrequencyRatio();
    voice->volume.store(ratio * kFreshHitGain * volume);
    voice->frequencyRatio.store(ratio);
    voice->started.store(true);
    return true;
  }
  // All five sound: restart one at the plain volume, keeping its pitch.
  Voice& stolen = first[m_random() % kVoicesPerSlot];
  stolen.volume.store(volume);
  stolen.started.store(true);
  stolen.state.store(kReady);
  return true;
}

void VoiceEngine::UpdateSound() {
  for (int record = 0; record < kVoiceRecords; ++record) {
    Voice& voice = m_voices[record];
    if (!m_slots[record / kVoicesPerSlot].loaded || voice.state.load() != kPlaying || voice.busy.load()) continue;
    voice.started.store(false);  // before ready, so the audio thread cannot restart it
    voice.state.store(kReady);
  }
}

void VoiceEngine::StartProcessingPass() {
  for (int record = 0; record < kVoiceRecords; ++record) {
    Voice& voice = m_voices[record];
    int ready = kReady;
    if (!m_slots[record / kVoicesPerSlot].loaded || !voice.started.load()) continue;
    if (!voice.state.compare_exchange_strong(ready, kPlaying)) continue;
    voice.position = 0.0;
    voice.queued = true;
    voice.busy.store(true);
  }
}

void VoiceEngine::MixVoice(Voice& voice, float* mix, int frames) {
  const Slot& slot = m_slots[static_cast<size_t>(&voice - m_voices.data()) / kVoicesPerSlot];
  const float* samples = slot.samples.data();
  const double end = static_cast<double>(slot.length);
  const double step = slot.baseStep * voice.frequencyRatio.load(std::memory_order_relaxed);
  const float volume = voice.volume.load(std::memory_order_relaxed);
  double position = voice.position;
  for (int frame = 0; frame < frames && position < end; ++frame, position += step) {
    const size_t index = static_cast<size_t>(position);
    const float fraction = static_cast<float>(position - static_cast<double>(index));
    mix[frame] += volume * (samples[index] + (samples[index + 1] - samples[index]) * fraction);
  }
  voice.position = position;
  if (position >= end) {
    voice.queued = false;
    voice.busy.store(false);
  }
}

void VoiceEngine::Render(float* out, int frames, int channels) {
  while (frames > 0) {
    const int passFrames = std::min(frames, kPassFrames);
    StartProcessingPass();
    std::fill(m_mix, m_mix + passFrames, 0.0f);
    for (Voice& voice : m_voices)
      if (voice.queued) MixVoice(voice, m_mix, passFrames);
    for (int frame = 0; frame < passFrames; ++frame) {
      const float value = std::clamp(m_mix[frame], -1.0f, 1.0f);
      for (int channel = 0; channel < channels; ++channel) *out++ = value;
    }
    frames -= passFrames;
  }
}

VoiceEngine::VoiceInfo VoiceEngine::GetVoice(int record) const {
  assert(record >= 0 && record < kVoiceRecords);
  const Voice& voice = m_voices[record];
  return {voice.state.load(), m_slots[record / kVoicesPerSlot].loaded, voice.volume.load(),
          voice.frequencyRatio.load()};
}
