#pragma once
// What the three mixing-cost benchmarks share (mix_cost_voices, mix_cost_faudio,
// mix_cost_sdl_mixer): the same work for each engine, and one table row format.
//
// The work: 1, 25 and 125 voices playing a 6-second 48 kHz noise sample
// (stereo unless told otherwise), five voices to each copy of it in memory
// as five voices share each sound slot of the voice engine, at volume 0.1 and a
// pitch of the program's spread (PickPitch, g_freqVariation 30: every voice
// resampled by a fractional step), summed into a 48 kHz stereo output for
// kBenchSeconds. The figure is the CPU time of the thread that mixes, per
// second of output, and per voice.
#include <vector>

#include "backline/sound/sample_decoder.h"

namespace bench {

constexpr int kBenchSeconds = 5;
constexpr int kVoiceCounts[] = {1, 25, 125};
constexpr float kVoiceVolume = 0.1f;
constexpr int kRate = 48000;

// The noise sample as the program decodes it (written to a scratch WAV file
// at path and decoded from there), mono or stereo.
DecodedSample MakeNoiseSample(const char* path, int channels);

// The copies of the sample voices voices play, and the copy voice plays.
constexpr int kVoicesPerCopy = 5;
constexpr int SlotsFor(int voices) { return (voices + kVoicesPerCopy - 1) / kVoicesPerCopy; }
constexpr int SlotOf(int voice) { return voice / kVoicesPerCopy; }

// The pitch of each of count voices, as the program's strikes spread them.
std::vector<float> VoicePitches(int count);

// CPU time of the calling thread, in seconds.
double ThreadCpuSeconds();

// Prints the table's head, then one row per measurement.
void PrintHead(const char* title);
void PrintRow(const char* engine, int channels, int voices, double cpuSecondsPerSecond);

}  // namespace bench
