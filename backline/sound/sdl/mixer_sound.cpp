#include "backline/sound/sdl/mixer_sound.h"

#include <SDL.h>

#include <algorithm>

namespace {

// Frames handed to SDL's converter at a time: SDL 2.26 loses part of one
// large put when it resamples, while puts of a few kilobytes convert whole.
constexpr size_t kPutFrames = 1024;

bool PutAll(SDL_AudioStream* stream, const DecodedSample& sample) {
  const size_t putSamples = kPutFrames * static_cast<size_t>(sample.channels);
  for (size_t first = 0; first < sample.samples.size(); first += putSamples) {
    const size_t count = std::min(putSamples, sample.samples.size() - first);
    if (SDL_AudioStreamPut(stream, sample.samples.data() + first, static_cast<int>(count * sizeof(float))) != 0)
      return false;
  }
  return SDL_AudioStreamFlush(stream) == 0;
}

// Converts sample to the device's format with an SDL audio stream; false
// when SDL cannot, or nothing comes out.
bool Convert(const DecodedSample& sample, std::vector<Uint8>* out) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&rate, &format, &channels)) return false;
  SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(sample.channels), kDecodedRate,
                                               format, static_cast<Uint8>(channels), rate);
  if (!stream) return false;
  bool converted = PutAll(stream, sample);
  const int available = converted ? SDL_AudioStreamAvailable(stream) : 0;
  out->resize(static_cast<size_t>(available));
  converted = available > 0 && SDL_AudioStreamGet(stream, out->data(), available) == available;
  SDL_FreeAudioStream(stream);
  return converted;
}

}  // namespace

std::unique_ptr<MixerSound> MixerSound::Make(const DecodedSample& sample) {
  std::unique_ptr<MixerSound> sound(new MixerSound);
  if (!Convert(sample, &sound->m_audio)) return nullptr;
  sound->m_chunk = Mix_QuickLoad_RAW(sound->m_audio.data(), static_cast<Uint32>(sound->m_audio.size()));
  return sound->m_chunk ? std::move(sound) : nullptr;
}

MixerSound::~MixerSound() {
  if (m_chunk) Mix_FreeChunk(m_chunk);
}
