#pragma once
// Drum-kit folders for tests, in the format kits come in: a drumkit.xml
// listing instruments with velocity layers, and FLAC (or WAV) samples
// written by libsndfile.
#include <string>
#include <vector>

namespace test {

struct KitSample {
  std::string file;  // inside the kit's folder, e.g. "kick_soft.flac"
  float amplitude;   // the peak of its tone, 0..1, telling the layers apart
  int rate = 44100;
  int channels = 1;
  int bits = 24;  // 16 or 24
};

// Writes a short decaying tone as a FLAC file (a ".wav" name: a WAV file);
// false when libsndfile cannot write it.
bool WriteKitSample(const std::string& folder, const KitSample& sample);

// The peak of the first channel of the sound file at path, or -1.
float PeakOf(const std::string& path);

// A kit of four instruments written into folder: "Kick" with three layers
// (0 to 0.3, 0.3 to 0.7, 0.7 to 1; peaks 0.2, 0.5, 0.9), "Snare" with two
// (stereo, 16-bit, 48 kHz), "Tom Hi" and "Closed HH" with one each, FLAC
// files all; the drumkit.xml in the layout of today's kits (a default XML
// namespace, <layer>s inside <instrumentComponent> for the snare).
void WriteLayeredKit(const std::string& folder);

// The same drumkit.xml with text in place of its instrument list.
std::string KitXml(const std::string& name, const std::string& instruments);
// One <instrument> element holding layers (already written elements).
std::string InstrumentXml(int id, const std::string& name, const std::string& layers, float volume = 1.0f);
std::string LayerXml(const std::string& file, const std::string& min, const std::string& max);

}  // namespace test
