#pragma once
// SDL's default audio device as an AudioOutput: Open starts SDL's audio
// subsystem and opens the device with a callback of exactly periodFrames
// frames, which renders on SDL's audio thread; Close undoes both. Main
// thread; the process may open and close it any number of times.
#include <SDL_audio.h>

#include "backline/sound/audio_output.h"

class AudioOutputSDL final : public AudioOutput {
 public:
  AudioOutputSDL() = default;
  ~AudioOutputSDL() override { Close(); }
  AudioOutputSDL(const AudioOutputSDL&) = delete;
  AudioOutputSDL& operator=(const AudioOutputSDL&) = delete;

  bool Open(int rate, int periodFrames, AudioRenderer& renderer) override;
  void Close() override;

 private:
  static void Callback(void* output, Uint8* stream, int bytes);

  SDL_AudioDeviceID m_device = 0;
  AudioRenderer* m_renderer = nullptr;  // set while open; read on the audio thread
  int m_channels = 0;
};
