#include "backline/sound/resample_mix.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace {

using Float4 = float __attribute__((vector_size(16)));
using Int4 = int32_t __attribute__((vector_size(16)));
using Uint4 = uint32_t __attribute__((vector_size(16)));

// A position's fraction keeps its top 24 bits (all a float holds), which
// convert as a signed int.
constexpr int kFractionDrop = kPositionFractionBits - 24;
constexpr float kFractionScale = 1.0f / static_cast<float>(1 << 24);

Float4 Load4(const float* at) {
  Float4 value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void Store4(float* at, Float4 value) { std::memcpy(at, &value, sizeof value); }

size_t IndexOf(uint64_t position) { return static_cast<size_t>(position >> kPositionFractionBits); }

Float4 Fractions(Uint4 positions) {
  return __builtin_convertvector(reinterpret_cast<Int4>(positions >> kFractionDrop), Float4) * kFractionScale;
}

// Interpolates two output frames, from the sample's frames at first and
// second (and the frame after each) with fractions (f0, f0, f1, f1), and adds
// them into mix. Four floats are read from each frame on: a stereo frame and
// the next, or a mono frame, the next and two more (the padding at the end).
template <int kChannels>
void MixTwo(const float* data, size_t first, size_t second, Float4 fractions, float volume, float* mix) {
  const Float4 a = Load4(data + kChannels * first), b = Load4(data + kChannels * second);
  Float4 from, to;
  if constexpr (kChannels == 2) {
    from = __builtin_shufflevector(a, b, 0, 1, 4, 5);
    to = __builtin_shufflevector(a, b, 2, 3, 6, 7);
  } else {
    from = __builtin_shufflevector(a, b, 0, 0, 4, 4);
    to = __builtin_shufflevector(a, b, 1, 1, 5, 5);
  }
  Store4(mix, Load4(mix) + volume * (from + (to - from) * fractions));
}

// How many frames, of at most frames, start before end (positions are far
// below 2^64: a sample lasts at most a minute).
int FramesBefore(uint64_t position, uint64_t end, uint64_t step, int frames) {
  if (position >= end) return 0;
  if (position + static_cast<uint64_t>(frames - 1) * step < end) return frames;
  const uint64_t left = (end - position + step - 1) / step;
  return left < static_cast<uint64_t>(frames) ? static_cast<int>(left) : frames;
}

template <int kChannels>
uint64_t Mix(const float* data, uint64_t position, uint64_t end, uint64_t step, float volume, float* mix,
             int frames) {
  const int count = FramesBefore(position, end, step, frames);
  // Four frames a round: their fractions side by side (the low 32 bits of a
  // position wrap as the position carries into its index).
  const uint32_t step32 = static_cast<uint32_t>(step);
  Uint4 fractions = Uint4{0, 1, 2, 3} * step32 + static_cast<uint32_t>(position);
  const Uint4 roundStep = Uint4{4, 4, 4, 4} * step32;
  int frame = 0;
  for (; frame + 4 <= count; frame += 4, mix += 8, fractions += roundStep) {
    const Float4 f = Fractions(fractions);
    const size_t i0 = IndexOf(position), i1 = IndexOf(position + step), i2 = IndexOf(position + 2 * step),
                 i3 = IndexOf(position + 3 * step);
    MixTwo<kChannels>(data, i0, i1, __builtin_shufflevector(f, f, 0, 0, 1, 1), volume, mix);
    MixTwo<kChannels>(data, i2, i3, __builtin_shufflevector(f, f, 2, 2, 3, 3), volume, mix + 4);
    position += 4 * step;
  }
  for (; frame < count; ++frame, mix += 2, position += step) {
    const float* at = data + kChannels * IndexOf(position);
    const float fraction = static_cast<float>(static_cast<uint32_t>(position) >> kFractionDrop) * kFractionScale;
    const float left = at[0] + (at[kChannels] - at[0]) * fraction;
    mix[0] += volume * left;
    mix[1] += volume * (kChannels == 1 ? left : at[1] + (at[3] - at[1]) * fraction);
  }
  return position;
}

}  // namespace

uint64_t PositionStep(double ratio) { return static_cast<uint64_t>(std::llround(ratio * kPositionOne)); }

uint64_t MixResampled(const float* data, int channels, uint64_t position, uint64_t end, uint64_t step, float volume,
                      float* mix, int frames) {
  assert((channels == 1 || channels == 2) && step > 0);
  return channels == 1 ? Mix<1>(data, position, end, step, volume, mix, frames)
                       : Mix<2>(data, position, end, step, volume, mix, frames);
}
