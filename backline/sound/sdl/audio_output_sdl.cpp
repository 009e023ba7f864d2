#include "backline/sound/sdl/audio_output_sdl.h"

#include <SDL.h>

#include <cassert>

#include "basalt/foundation/log.h"

namespace {

constexpr int kRequestedChannels = 2;

}  // namespace

bool AudioOutputSDL::Open(int rate, int periodFrames, AudioRenderer& renderer) {
  assert(!m_device && "AudioOutputSDL opened twice");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    Basalt::LogMessage("Failed to init voice engine: %s", SDL_GetError());
    return false;
  }
  SDL_AudioSpec wanted = {};
  wanted.freq = rate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kRequestedChannels;
  wanted.samples = static_cast<Uint16>(periodFrames);
  wanted.callback = &AudioOutputSDL::Callback;
  wanted.userdata = this;
  SDL_AudioSpec spec = {};
  m_renderer = &renderer;
  // The period is not left to the device: SDL then calls back for exactly
  // periodFrames (and SDL 2.26's dummy driver overruns the callback's buffer
  // when it may change it). Nor is the rate: SDL converts to the device's.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec, SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (!m_device) {
    Basalt::LogMessage("Failed creating mastering voice: %s", SDL_GetError());
    m_renderer = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  m_channels = spec.channels;
  Basalt::LogMessage("Audio device: %d Hz, %d channels, %d-frame buffer (%.1f ms)", spec.freq, spec.channels,
                     spec.samples, 1000.0 * spec.samples / spec.freq);
  // The device opened paused: its callback has not run yet.
  renderer.PrepareToRender({spec.freq, spec.channels, spec.samples});
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

void AudioOutputSDL::Close() {
  if (!m_device) return;
  SDL_CloseAudioDevice(m_device);  // the audio thread has stopped when it returns
  m_device = 0;
  m_renderer = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutputSDL::Callback(void* output, Uint8* stream, int bytes) {
  const Basalt::TimeNs now = Basalt::GetTimeNs();
  auto* self = static_cast<AudioOutputSDL*>(output);
  const int frames = bytes / static_cast<int>(sizeof(float)) / self->m_channels;
  self->m_renderer->RenderBuffer(reinterpret_cast<float*>(stream), frames, self->m_channels, now);
}
