// The voice engine. The audio thread owns the voice records (slot x 5 +
// voice) and the slots' samples; the other threads never write them.
//
// Notes: PlayNote (any sending thread) only checks the slot's "loaded" flag
// and queues the note in the NoteScheduler, which at the start of every
// buffer hands the audio thread the notes due in it, each with its frame.
// The audio thread gives each one a voice at once (the first of its slot that
// neither sounds nor waits to start, else a random one of the five, restarted
// at plain volume with the pitch it had) and the voice starts at that frame,
// inside whichever 512-frame pass holds it; a voice being restarted plays its
// old sound up to that frame. A voice whose sample runs out is free at once.
//
// Samples: LoadSample decodes on the main thread (sample_decoder.h, the
// decode SDL_mixer's back end plays too) into a new heap Sample and
// sends it through the command queue; at the start of each buffer, before
// any note, the audio thread swaps it in, silences the slot's voices and
// sends the sample it replaced back through the retire queue, from which
// the main thread frees it. So the audio thread never allocates, frees,
// locks or waits, and a sample is never freed while a voice reads it.
//
// The voices publish their state, volume and ratio through atomics for
// GetVoice. Samples arrive at the mixing rate (the decoder converts them), so
// mixing resamples a voice only for its pitch: linear interpolation with a
// step of its frequency ratio (a ratio of 1 plays the samples exactly). The
// voices are summed in stereo in float, a mono sample into both channels
// alike (the centre), a stereo one channel by channel; the master limiter
// brings the sum's peaks under full scale, and the result goes to the
// output's first two channels (the mean of the two to a mono output).
#include "backline/sound/voice_engine.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "backline/sound/resample_mix.h"
#include "backline/sound/sample_decoder.h"
#include "basalt/foundation/clock.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<float>::is_always_lock_free,
              "voice state shared with the audio thread must be lock-free");

// A decoded sample at the mixing rate; not changed once sent to the audio thread.
struct VoiceEngine::Sample {
  std::vector<float> samples;  // length frames of `channels`, then kMixPaddingSamples zeros
  size_t length = 0;
  int channels = 1;
};

struct VoiceEngine::Voice {
  // Published by the audio thread for GetVoice.
  std::atomic<int> state{kNone};
  std::atomic<float> volume{1.0f};
  std::atomic<float> frequencyRatio{1.0f};
  // Audio thread only.
  bool sounding = false;
  int startFrame = -1;  // frame of this buffer where the next note starts, or -1
  float nextVolume = 1.0f;
  float nextRatio = 1.0f;  // the pitch of the note given to it last
  float mixVolume = 1.0f;
  float mixRatio = 1.0f;
  uint64_t position = 0;  // frames, fixed point (resample_mix.h)
  uint64_t step = kPositionOne;

  bool Busy() const { return sounding || startFrame >= 0; }
  void Assign(float noteVolume, float ratio, int frame) {
    nextVolume = noteVolume;
    nextRatio = ratio;
    startFrame = frame;
  }
  void Begin() {
    mixVolume = nextVolume;
    mixRatio = nextRatio;
    position = 0;
    step = PositionStep(mixRatio);
    sounding = true;
    startFrame = -1;
    volume.store(mixVolume, std::memory_order_relaxed);
    frequencyRatio.store(mixRatio, std::memory_order_relaxed);
    state.store(kPlaying, std::memory_order_release);
  }
  void End() {
    sounding = false;
    state.store(kReady, std::memory_order_release);
  }
  void Silence(bool loaded) {
    sounding = false;
    startFrame = -1;
    if (loaded || state.load(std::memory_order_relaxed) != kNone) state.store(kReady, std::memory_order_release);
  }
};

VoiceEngine::VoiceEngine() : m_voices(new Voice[kVoiceRecords]) {}

VoiceEngine::~VoiceEngine() {
  Stop();
  ApplyCommands();
  FreeRetired();
  for (Sample*& sample : m_samples) delete sample;
}

bool VoiceEngine::Start(AudioOutput& output, int periodFrames) {
  assert(!m_output && "the voice engine started twice");
  if (!output.Open(kMixRate, periodFrames, *this)) return false;
  m_output = &output;
  return true;
}

void VoiceEngine::PrepareToRender(const AudioFormat& format) {
  assert(format.rate == kMixRate && "an output converts to its device's rate itself");
  SetLatencyFrames(format.periodFrames);
  ResetOutput();
}

void VoiceEngine::Stop() {
  if (!m_output) return;
  m_output->Close();  // the audio thread has stopped when it returns
  m_output = nullptr;
  m_scheduler.DropAll();
  ResetOutput();
  for (int record = 0; record < kVoiceRecords; ++record)
    m_voices[record].Silence(m_samples[record / kVoicesPerSlot] != nullptr);
}

void VoiceEngine::RenderBuffer(float* out, int frames, int channels, Basalt::TimeNs bufferTime) {
  Render(out, frames, channels, bufferTime);
  if (const RenderObserver observer = m_observer.load()) observer(out, frames, channels, bufferTime);
}

// ---- main thread: samples ---------------------------------------------------

std::unique_ptr<VoiceEngine::Sample> VoiceEngine::DecodeFile(const char* path) {
  DecodedSample decoded;
  if (!DecodeSampleFile(path, &decoded)) return nullptr;
  static_assert(kDecodedRate == kMixRate, "samples arrive at the mixing rate");
  auto sample = std::make_unique<Sample>();
  sample->length = decoded.Frames();
  sample->channels = decoded.channels;
  sample->samples = std::move(decoded.samples);
  sample->samples.resize(sample->samples.size() + kMixPaddingSamples, 0.0f);
  return sample;
}

bool VoiceEngine::LoadSample(int slot, const char* path) {
  if (slot < 0 || slot >= kSoundSlots) return false;
  FreeRetired();
  std::unique_ptr<Sample> sample =
      Basalt::RunGuarded("Failed to read WAV file", path, std::unique_ptr<Sample>(), [&] { return DecodeFile(path); });
  if (!sample) {
    StopSample(slot);
    return false;
  }
  if (!SendSample(slot, sample.get())) return false;
  sample.release();  // the audio thread's now
  return true;
}

void VoiceEngine::StopSample(int slot) {
  if (slot < 0 || slot >= kSoundSlots) return;
  FreeRetired();
  SendSample(slot, nullptr);
}

bool VoiceEngine::SendSample(int slot, Sample* sample) {
  m_loaded[slot].store(false);
  if (!m_commands.Push({slot, sample})) {
    Basalt::LogMessage("Sound: the audio thread takes no more samples; slot %d is silent", slot);
    return false;
  }
  if (sample) m_loaded[slot].store(true);
  if (!m_output) {  // this thread renders: apply it now
    ApplyCommands();
    FreeRetired();
  }
  return true;
}

void VoiceEngine::ReleaseAll() {
  for (int slot = 0; slot < kSoundSlots; ++slot) StopSample(slot);
}

void VoiceEngine::UpdateSound() { FreeRetired(); }

void VoiceEngine::FreeRetired() {
  Sample* sample = nullptr;
  while (m_retired.Pop(&sample)) delete sample;
}

// ---- sending threads --------------------------------------------------------

bool VoiceEngine::PlayNote(NoteSource source, const Note& note) {
  if (note.slot < 0 || note.slot >= kSoundSlots || !m_loaded[note.slot].load()) return false;
  return m_scheduler.Send(source, note);
}

// ---- audio thread -----------------------------------------------------------

void VoiceEngine::ApplyCommands() {
  Command command;
  while (m_commands.Pop(&command)) {
    Sample* const old = m_samples[command.slot];
    m_samples[command.slot] = command.sample;
    for (int record = command.slot * kVoicesPerSlot; record < (command.slot + 1) * kVoicesPerSlot; ++record)
      m_voices[record].Silence(command.sample != nullptr);
    if (!old) continue;
    const bool retired = m_retired.Push(old);
    assert(retired && "the retire queue outgrew the commands");
    (void)retired;
  }
}

bool VoiceEngine::StartNote(const Note& note, int offset) {
  if (note.slot < 0 || note.slot >= kSoundSlots || !m_samples[note.slot]) return false;
  Voice* const first = &m_voices[note.slot * kVoicesPerSlot];
  for (Voice* voice = first; voice < first + kVoicesPerSlot; ++voice) {
    if (voice->Busy()) continue;
    voice->Assign(note.pitch * note.volume, note.pitch, offset);
    return true;
  }
  // All five sound: restart one at the plain volume, keeping its pitch.
  Voice& stolen = first[m_random() % kVoicesPerSlot];
  stolen.Assign(note.volume, stolen.nextRatio, offset);
  return true;
}

void VoiceEngine::MixVoice(Voice& voice, float* mix, int frames) {
  const Sample& sample = *m_samples[static_cast<size_t>(&voice - m_voices.get()) / kVoicesPerSlot];
  const uint64_t end = static_cast<uint64_t>(sample.length) << kPositionFractionBits;
  voice.position = MixResampled(sample.samples.data(), sample.channels, voice.position, end, voice.step,
                                voice.mixVolume, mix, frames);
  if (voice.position >= end) voice.End();
}

void VoiceEngine::MixPass(int passStart, int passFrames) {
  std::fill(m_mix, m_mix + 2 * passFrames, 0.0f);
  for (int record = 0; record < kVoiceRecords; ++record) {
    Voice& voice = m_voices[record];
    const int start = voice.startFrame - passStart;
    if (voice.startFrame < 0 || start >= passFrames) {
      if (voice.sounding) MixVoice(voice, m_mix, passFrames);
      continue;
    }
    if (voice.sounding) MixVoice(voice, m_mix, start);  // what it played until the restart
    voice.Begin();
    MixVoice(voice, m_mix + 2 * start, passFrames - start);
  }
  m_limiter.Process(m_mix, passFrames);
}

void VoiceEngine::WriteOutput(float* out, int frames, int channels) const {
  const float* mix = m_mix;
  for (int frame = 0; frame < frames; ++frame, mix += 2) {
    if (channels == 1) {
      *out++ = (mix[0] + mix[1]) * 0.5f;
      continue;
    }
    *out++ = mix[0];
    *out++ = mix[1];
    for (int channel = 2; channel < channels; ++channel) *out++ = 0.0f;
  }
}

void VoiceEngine::Render(float* out, int frames, int channels, Basalt::TimeNs bufferTime) {
  ApplyCommands();
  auto start = [this](const Note& note, int offset) { return StartNote(note, offset); };
  m_scheduler.Collect(bufferTime, frames, start);
  for (int passStart = 0; passStart < frames; passStart += kPassFrames) {
    const int passFrames = std::min(frames - passStart, kPassFrames);
    MixPass(passStart, passFrames);
    WriteOutput(out + static_cast<ptrdiff_t>(passStart) * channels, passFrames, channels);
  }
}

VoiceEngine::VoiceInfo VoiceEngine::GetVoice(int record) const {
  assert(record >= 0 && record < kVoiceRecords);
  const Voice& voice = m_voices[record];
  return {voice.state.load(std::memory_order_acquire), m_loaded[record / kVoicesPerSlot].load(),
          voice.volume.load(std::memory_order_relaxed), voice.frequencyRatio.load(std::memory_order_relaxed)};
}
