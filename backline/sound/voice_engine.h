#pragma once
// Our own voice mixer: every sound slot of backline/common/pad_slots.h (the
// pads, the click and the velocity layers), each with one decoded sample
// (mono or stereo, at 48 kHz) shared by five voices, mixed in stereo at 48 kHz
// through the master limiter (master_limiter.h) to the output's first two
// channels. It renders either for an AudioOutput (audio_output.h) it was
// started on, which asks it for each buffer on its audio thread, or, with no
// output at all, into a caller's buffer (tests, benchmarks, the WAV export).
// It knows nothing of the device behind an output.
//
// Threads: PlayNote from the thread its NoteSource names; Render on the
// output's audio thread while started, else on the caller's; GetVoice and
// the counters from any thread; everything else on the main thread. Without
// an output the main thread is also the one that renders, and the
// main-thread calls apply their changes at once. The audio thread owns the
// voices and the slots' samples; the other threads reach it only through
// lock-free queues (see voice_engine.cpp).
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <random>

#include "backline/common/pad_slots.h"
#include "backline/sound/audio_output.h"
#include "backline/sound/master_limiter.h"
#include "backline/sound/note.h"
#include "backline/sound/note_scheduler.h"
#include "basalt/util/spsc_queue.h"

class VoiceEngine final : private AudioRenderer {
 public:
  static constexpr int kSoundSlots = ::kSoundSlots;
  static constexpr int kVoicesPerSlot = 5;
  static constexpr int kVoiceRecords = kSoundSlots * kVoicesPerSlot;
  static constexpr int kMixRate = 48000;
  // Render mixes in passes of at most this many frames.
  static constexpr int kPassFrames = 512;
  // The least delay from a note's time to its sound: the limiter's lookahead.
  static constexpr int kMinLatencyFrames = MasterLimiter::kLookaheadFrames;

  enum VoiceState : int { kNone = 0, kReady = 1, kPlaying = 2 };

  // A copy of one voice record for display and tests.
  struct VoiceInfo {
    int state;
    bool hasVoice;  // the slot holds a sample
    float volume;
    float frequencyRatio;
  };

  // Called on the audio thread after each buffer with what was handed to the
  // output (interleaved floats) and the buffer's instrument-clock time. It
  // must not block or allocate.
  using RenderObserver = void (*)(const float* out, int frames, int channels, Basalt::TimeNs bufferTime);

  VoiceEngine();
  ~VoiceEngine();
  VoiceEngine(const VoiceEngine&) = delete;
  VoiceEngine& operator=(const VoiceEngine&) = delete;

  // Opens output at 48 kHz with a period of periodFrames, which becomes the
  // notes' latency, and renders for it from then on, its sound afresh.
  // False, with the output's log line, when it cannot be opened. output must
  // outlive Stop.
  bool Start(AudioOutput& output, int periodFrames);
  // Closes the output (its audio thread has stopped when this returns);
  // Render then belongs to the caller again. What was sounding and every
  // note not yet started are dropped: the next start is in silence.
  void Stop();
  bool HasOutput() const { return m_output != nullptr; }
  void SetRenderObserver(RenderObserver observer) { m_observer.store(observer); }
  // The notes' fixed delay in frames from their time to their first frame in
  // the mix, for rendering without an output (an output sets its period);
  // at least kMinLatencyFrames, less is taken as that. Main thread, while no
  // output is open.
  void SetLatencyFrames(int frames) { m_scheduler.SetLatencyFrames(std::max(0, frames - kMinLatencyFrames)); }
  // Starts the mix afresh: the limiter forgets the sound it was holding
  // back and its gain (Start does it too). Main thread, while no output is open.
  void ResetOutput() { m_limiter = MasterLimiter(); }

  // Decodes the sample file at path on this thread (DecodeSampleFile) and
  // hands it to the audio thread, which silences the slot's voices and swaps
  // the sample in at its next buffer. Logs and returns false for a file the
  // decoder refuses, when memory runs out, or when the audio thread has
  // stopped taking changes; the slot is then silent. Frees the samples the
  // audio thread has let go of. Never throws.
  bool LoadSample(int slot, const char* path);
  // Silences the slot's voices and releases its sample (at the next buffer).
  void StopSample(int slot);
  // Releases every slot.
  void ReleaseAll();
  // Frees the samples the audio thread has let go of. Once per frame.
  void UpdateSound();

  // Queues note for the audio thread: it starts at the output frame of
  // note.time plus the latency, in the first voice of its slot that is not
  // sounding, at pitch x volume; when all five sound, a random one restarts
  // at plain volume with its pitch. Lock-free, allocation-free.
  // False when the slot holds nothing or the queue is full.
  bool PlayNote(NoteSource source, const Note& note);
  // Drops the notes of source that have not started yet.
  void CancelNotes(NoteSource source) { m_scheduler.Cancel(source); }
  // Clicks slot 20 every 60 / bpm seconds from the frame of `at` plus the
  // latency (see note_scheduler.h); off stops it.
  void SetMetronome(bool on, unsigned bpm, Basalt::TimeNs at) { m_scheduler.SetMetronome(on, bpm, at); }
  uint32_t MetronomeBeats() const { return m_scheduler.MetronomeBeats(); }
  uint32_t NotesStarted() const { return m_scheduler.NotesStarted(); }
  uint32_t NotesDropped() const { return m_scheduler.NotesDropped(); }

  // Mixes frames frames into out (frames x channels interleaved floats,
  // overwritten: left, right, silence in any further channel; a mono output
  // gets their mean); bufferTime is the instrument-clock time the buffer
  // stands for (an output reads it as it asks for the buffer). First applies
  // the main thread's changes, then starts the notes due in this buffer, each
  // at its own frame. Never allocates, frees, locks or touches a file.
  void Render(float* out, int frames, int channels, Basalt::TimeNs bufferTime);

  VoiceInfo GetVoice(int record) const;

 private:
  struct Voice;
  struct Sample;
  // A slot's new sample (null: none), from the main thread to the audio one.
  struct Command {
    int slot;
    Sample* sample;
  };

  // The output's format, before its first buffer: the notes' latency is its
  // period, and the mix starts afresh.
  void PrepareToRender(const AudioFormat& format) override;
  // The output's buffer: Render, then the observer.
  void RenderBuffer(float* out, int frames, int channels, Basalt::TimeNs bufferTime) override;
  // Decodes the sample file at path; null, with a log line, when it is
  // refused. Main thread.
  static std::unique_ptr<Sample> DecodeFile(const char* path);
  bool SendSample(int slot, Sample* sample);
  void ApplyCommands();
  void FreeRetired();
  bool StartNote(const Note& note, int offset);
  // Mixes and limits the pass into m_mix.
  void MixPass(int passStart, int passFrames);
  void MixVoice(Voice& voice, float* mix, int frames);
  void WriteOutput(float* out, int frames, int channels) const;

  std::unique_ptr<Voice[]> m_voices;             // kVoiceRecords, made once; audio thread
  Sample* m_samples[kSoundSlots] = {};           // audio thread
  std::atomic<bool> m_loaded[kSoundSlots] = {};  // main thread: what PlayNote accepts
  // Room for every slot to change twice before the audio thread's next buffer
  // (a preset with velocity layers loads some hundred samples at once).
  util::SpscQueue<Command, 1024> m_commands;
  util::SpscQueue<Sample*, 2048> m_retired;  // more than the commands can ever retire before the main thread frees
  NoteScheduler m_scheduler{kMixRate};
  float m_mix[2 * kPassFrames] = {};  // one pass, stereo; audio thread
  MasterLimiter m_limiter;              // audio thread
  std::minstd_rand m_random;  // audio thread: which voice a steal takes
  AudioOutput* m_output = nullptr;  // main thread: what renders for, or null
  std::atomic<RenderObserver> m_observer{nullptr};
};
