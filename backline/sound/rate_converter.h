#pragma once
// Converts a decoded sample to another rate once, at load, with libsamplerate
// (band-limited sinc interpolation: no aliasing of a 96 kHz file's top octave,
// no dull highs from a 22.05 kHz one). Main thread; allocates only its result.
#include <string>
#include <vector>

// Converts samples (interleaved frames of channels samples at fromRate) to
// toRate into out, replacing what it held; the length scales with the rates.
// Empty on success, else why it failed (out then untouched). May throw
// std::bad_alloc (callers guard).
std::string ConvertRate(const std::vector<float>& samples, int channels, int fromRate, int toRate,
                        std::vector<float>* out);
