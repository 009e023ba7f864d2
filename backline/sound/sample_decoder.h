#pragma once
// Decodes a sample file once, when it is loaded into a sound slot, with
// libsndfile: WAV files of 8-bit unsigned and 16/24/32-bit signed PCM, 32/64-bit
// float, mu-law, A-law, IMA and MS ADPCM, WAVE_FORMAT_EXTENSIBLE (and any other
// format libsndfile reads), mixed down to mono float at the file's own rate.
// A "data" chunk larger than the file (by a byte, or 0xFFFFFFFF) or of size 0
// (as streaming recorders leave it) plays the sound the file holds. Both sound
// back ends play what it returns, so a file plays alike on either or on
// neither. Main thread (it logs); allocates only what it returns.
#include <vector>

// The longest sample, in seconds at the file's own rate: any drum sample, a
// loop or a long cymbal tail fits; a whole song does not, and is refused before
// any of its sound is read.
constexpr int kMaxSampleSeconds = 60;
// The rates a sample may have, in frames per second.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;

struct DecodedSample {
  std::vector<float> frames;  // one per frame, the channels averaged, in [-1, 1] for integer formats
  int rate = 0;               // frames per second
};

// Decodes the file at path (a program path) into out, replacing what it held.
// False, with out untouched and the log line "Failed to read WAV file <path>:
// <why>", for a null path, a file that cannot be opened, a folder, device or
// pipe, a file libsndfile cannot decode, a rate outside kMinSampleRate to
// kMaxSampleRate, a file that holds no sound or lasts longer than
// kMaxSampleSeconds, and when memory runs out. Never throws.
bool DecodeSampleFile(const char* path, DecodedSample* out);
