#pragma once
// Our own voice mixer: 25 sound slots, each with one decoded sample shared by
// five voices, mixed in mono at 48 kHz and sent to every channel of the
// output. It renders either from the SDL audio callback of its device or, with
// no device at all, into a caller's buffer (tests, benchmarks).
//
// Threads: LoadSample, StopSample, PlaySample, UpdateSound and the device
// calls belong to the main thread; Render runs on the audio thread while the
// device is open, else on the caller's. The voice states they share are
// atomics (see voice_engine.cpp).
#include <atomic>
#include <cstdint>
#include <random>
#include <vector>

#include <SDL_audio.h>

class VoiceEngine {
 public:
  static constexpr int kSoundSlots = 25;
  static constexpr int kVoicesPerSlot = 5;
  static constexpr int kVoiceRecords = kSoundSlots * kVoicesPerSlot;
  static constexpr int kMixRate = 48000;
  static constexpr int kMaxFrequencyRatio = 4;
  // Render mixes in passes of at most this many frames.
  static constexpr int kPassFrames = 512;

  enum VoiceState : int { kNone = 0, kReady = 1, kPlaying = 2 };

  // A copy of one voice record for display and tests.
  struct VoiceInfo {
    int state;
    bool hasVoice;  // the slot holds a sample
    float volume;
    float frequencyRatio;
  };

  // Called on the audio thread after each device callback with what was
  // handed to the device (interleaved floats). It must not block or allocate.
  using RenderObserver = void (*)(const float* out, int frames, int channels);

  VoiceEngine();
  ~VoiceEngine();
  VoiceEngine(const VoiceEngine&) = delete;
  VoiceEngine& operator=(const VoiceEngine&) = delete;

  // Opens the default SDL audio device (SDL's audio must be initialised) at
  // 48 kHz float with a period of periodFrames, logs what it granted and
  // starts it. False, with a log line, when it cannot be opened.
  bool OpenDevice(int periodFrames);
  // Stops the audio thread; Render then belongs to the caller again.
  void CloseDevice();
  bool HasDevice() const { return m_device != 0; }
  void SetRenderObserver(RenderObserver observer) { m_observer.store(observer); }

  // Decodes the WAV file at path into slot, replacing (and releasing) what
  // the slot held, and makes its five voices ready. Logs and returns false
  // for a file it cannot read or play; the slot is then silent.
  bool LoadSample(int slot, const char* path);
  // Silences the slot's voices and releases its sample; the voice states stay.
  void StopSample(int slot);
  // Starts the first ready voice of slot with a random pitch spread of
  // g_freqVariation thousandths, at ratio x 1.2 x volume; when all five
  // sound, restarts a random one at plain volume. Lock-free and
  // allocation-free. False when the slot holds nothing.
  bool PlaySample(int slot, float volume);
  // Returns the voices whose sample has ended to ready.
  void UpdateSound();
  // Releases every slot.
  void ReleaseAll();

  // Mixes frames frames into out (frames x channels interleaved floats,
  // overwritten). At the start of each pass a started, ready voice is given
  // its sample from the beginning and marked playing.
  void Render(float* out, int frames, int channels);

  VoiceInfo GetVoice(int record) const;

 private:
  struct Voice;
  struct Slot;

  static void AudioCallback(void* engine, Uint8* stream, int bytes);
  void StartProcessingPass();
  void MixVoice(Voice& voice, float* mix, int frames);
  float NextFrequencyRatio();
  bool IsLoadedSlot(int slot) const;

  std::vector<Voice> m_voices;
  std::vector<Slot> m_slots;
  float m_mix[kPassFrames] = {};
  std::minstd_rand m_random;
  SDL_AudioDeviceID m_device = 0;
  int m_deviceChannels = 0;
  std::atomic<RenderObserver> m_observer{nullptr};
};
