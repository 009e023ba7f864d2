#pragma once
// Decodes a sample file once, when it is loaded into a sound slot, with
// libsndfile: WAV files of 8-bit unsigned and 16/24/32-bit signed PCM, 32/64-bit
// float, mu-law, A-law, IMA and MS ADPCM, WAVE_FORMAT_EXTENSIBLE (and any other
// format libsndfile reads). A mono file stays mono (played in the centre), a
// stereo file keeps its two channels, and a file of more channels is folded
// to stereo (see DecodedSample). Every file is converted once to the engine's
// rate of kDecodedRate (libsamplerate), so playing it needs no rate conversion;
// a file already at that rate keeps its samples exactly.
// A "data" chunk larger than the file (by a byte, or 0xFFFFFFFF) or of size 0
// (as streaming recorders leave it) plays the sound the file holds. Both sound
// back ends play what it returns, so a file plays alike on either or on
// neither. Main thread (it logs); allocates only what it returns.
#include <cstddef>
#include <vector>

// The longest sample, in seconds at the file's own rate: any drum sample, a
// loop or a long cymbal tail fits; a whole song does not, and is refused before
// any of its sound is read.
constexpr int kMaxSampleSeconds = 60;
// The rates a sample file may have, in frames per second.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;
// The rate of every decoded sample: the voice engine's mixing rate.
constexpr int kDecodedRate = 48000;

struct DecodedSample {
  // Interleaved frames of `channels` samples each at kDecodedRate, in about
  // [-1, 1] for integer formats (the rate conversion may overshoot a little).
  // Of a file with more than two channels, the left channel is the mean of its
  // channels 1, 3, 5, ... and the right of 2, 4, 6, ... (front, back and side
  // pairs keep their sides).
  std::vector<float> samples;
  int channels = 1;  // 1 or 2

  size_t Frames() const { return samples.size() / static_cast<size_t>(channels); }
};

// Decodes the file at path (a program path) into out, replacing what it held.
// False, with out untouched and the log line "Failed to read WAV file <path>:
// <why>", for a null path, a file that cannot be opened, a folder, device or
// pipe, a file libsndfile cannot decode, a rate outside kMinSampleRate to
// kMaxSampleRate, a file that holds no sound or lasts longer than
// kMaxSampleSeconds, a rate that cannot be converted, and when memory runs
// out. Never throws.
bool DecodeSampleFile(const char* path, DecodedSample* out);
