#pragma once
// Colours travel through the engine as 0xAARRGGBB words; a program or a
// clear call wants each channel as a float in 0..1.

namespace Basalt {

// One channel of an ARGB word: shift 24 alpha, 16 red, 8 green, 0 blue.
inline float ColourChannel(unsigned argb, unsigned shift) {
  return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
}

}  // namespace Basalt
