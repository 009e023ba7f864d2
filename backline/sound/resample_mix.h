#pragma once
// The voice engine's inner loop: adds a stretch of a sample, resampled for
// its pitch by linear interpolation and scaled by its volume, into a stereo
// mix. A mono sample goes into both sides alike (the centre). Two output
// frames at a time in 4-wide float vectors. Any thread; touches only what it
// is given.
#include <cstddef>
#include <cstdint>

// Positions in a sample are frames in 32.32 fixed point: exact steps, and
// no conversion of a double to an index in the loop.
constexpr int kPositionFractionBits = 32;
constexpr uint64_t kPositionOne = uint64_t{1} << kPositionFractionBits;

// The fixed-point step of a frequency ratio.
uint64_t PositionStep(double ratio);

// Silence a sample's data must end with, past its last frame: what the
// interpolation after the last frame reads.
constexpr int kMixPaddingSamples = 4;

// Adds up to frames frames of data (interleaved frames of channels, 1 or 2,
// followed by kMixPaddingSamples zeros) from position on, one step apart, times
// volume, into mix (frames interleaved stereo frames); stops at end (the
// sample's length). Returns the position reached.
uint64_t MixResampled(const float* data, int channels, uint64_t position, uint64_t end, uint64_t step, float volume,
                      float* mix, int frames);
