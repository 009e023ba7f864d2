#pragma once
// Turns a kit's sample (WAV, FLAC, AIFF, Ogg or any other format libsndfile
// reads) into a WAV file the program loads, keeping its channels and rate:
// 16-bit for 8- and 16-bit and compressed sources, 24- and 32-bit for those,
// 32-bit float for float. Any thread; never throws.
#include <string>

// Converts the sound file at from (a path of this file system) into a new
// WAV file at to, every sample times gain (0..1). False, with *why and no
// file at to, when from cannot be opened or decoded, has a rate outside the
// rates a sample may have, holds no sound or lasts longer than a sample may
// (sample_decoder.h), or to cannot be written.
bool ConvertToWav(const std::string& from, const std::string& to, double gain, std::string* why);
