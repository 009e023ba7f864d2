#pragma once
// A decoded sample in the format of SDL_mixer's open device, ready for
// Mix_PlayChannel: the chunk and the audio it plays from, owned together and
// released chunk first (Mix_FreeChunk halts the channels playing it before
// the audio goes). Made and destroyed on the main thread; SDL_mixer's mixing
// thread reads the audio while the sound exists.
#include <SDL_mixer.h>

#include <memory>
#include <vector>

#include "backline/sound/sample_decoder.h"

class MixerSound {
 public:
  // Converts sample (mono or stereo at kDecodedRate) to the open device's
  // rate, format and channels: a stereo sample keeps its two sides, a mono one
  // plays alike on both. Null when no mixer device is open or SDL cannot
  // convert it. May throw std::bad_alloc (callers guard).
  static std::unique_ptr<MixerSound> Make(const DecodedSample& sample);
  ~MixerSound();
  MixerSound(const MixerSound&) = delete;
  MixerSound& operator=(const MixerSound&) = delete;

  Mix_Chunk* Chunk() const { return m_chunk; }

 private:
  MixerSound() = default;

  std::vector<Uint8> m_audio;
  Mix_Chunk* m_chunk = nullptr;
};
