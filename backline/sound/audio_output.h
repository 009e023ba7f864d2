#pragma once
// Where the mixed sound goes. An AudioOutput is a device that, while open,
// asks its AudioRenderer for every buffer on an audio thread of its own; the
// renderer (the voice engine) knows nothing of the device behind it, and the
// device nothing of what is mixed. The one implementation the program plays
// through is SDL's default audio device (sdl/audio_output_sdl.h).
#include "basalt/foundation/clock.h"

// What an output was granted when it opened.
struct AudioFormat {
  int rate = 0;
  int channels = 0;
  int periodFrames = 0;  // frames per buffer: the delay from a note's time to its sound
};

// What fills an output's buffers.
class AudioRenderer {
 public:
  // On the thread opening the output, once its format is known and before
  // the first RenderBuffer: the last moment the renderer's audio-thread
  // state may be set from outside.
  virtual void PrepareToRender(const AudioFormat& format) = 0;
  // On the output's audio thread, once per buffer: writes frames x channels
  // interleaved floats to out. bufferTime is the instrument-clock time read
  // as the output asked for the buffer. Must not block, allocate, lock or
  // touch a file.
  virtual void RenderBuffer(float* out, int frames, int channels, Basalt::TimeNs bufferTime) = 0;

 protected:
  ~AudioRenderer() = default;
};

// Owned by whoever opens it (sdl/sound_backends_sdl.cpp keeps one for the
// process). Open and Close on the main thread.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Opens the output in float at rate (exactly: the output converts if its
  // device runs at another), stereo or as many channels as the device has,
  // with buffers of periodFrames; logs what it was granted, tells renderer
  // (PrepareToRender) and only then starts asking it for buffers. renderer
  // must outlive Close. False, with a log line, when it cannot; nothing is
  // left open then. Not while open.
  virtual bool Open(int rate, int periodFrames, AudioRenderer& renderer) = 0;
  // Stops asking the renderer (the audio thread has stopped when it
  // returns) and releases the device. Nothing when not open.
  virtual void Close() = 0;
};
