#include "tests/support/kit_folder.h"

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace test {

namespace {

constexpr double kTone = 220.0;
constexpr double kSeconds = 0.25;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool WriteKitSample(const std::string& folder, const KitSample& sample) {
  SF_INFO info = {};
  info.samplerate = sample.rate;
  info.channels = sample.channels;
  info.format = (EndsWith(sample.file, ".wav") ? SF_FORMAT_WAV : SF_FORMAT_FLAC) |
                (sample.bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
  SNDFILE* file = sf_open((folder + "/" + sample.file).c_str(), SFM_WRITE, &info);
  if (!file) return false;
  const int frames = static_cast<int>(sample.rate * kSeconds);
  std::vector<float> data;
  for (int frame = 0; frame < frames; ++frame) {
    const double decay = 1.0 - static_cast<double>(frame) / frames;
    const double value = sample.amplitude * decay * std::sin(2.0 * M_PI * kTone * frame / sample.rate);
    for (int channel = 0; channel < sample.channels; ++channel)
      data.push_back(static_cast<float>(channel == 0 ? value : -value));  // the channels differ
  }
  const bool written = sf_writef_float(file, data.data(), frames) == frames;
  return sf_close(file) == 0 && written;
}

float PeakOf(const std::string& path) {
  SF_INFO info = {};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return -1.0f;
  std::vector<float> data(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(file, data.data(), info.frames);
  sf_close(file);
  float peak = 0.0f;
  for (size_t i = 0; i < data.size(); i += static_cast<size_t>(info.channels))
    peak = std::max(peak, std::fabs(data[i]));
  return peak;
}

std::string KitXml(const std::string& name, const std::string& instruments) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<drumkit_info xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns=\"urn:example:drumkit\">\n"
         " <name>" +
         name +
         "</name>\n"
         " <author>Padlark tests</author>\n"
         " <info>A kit written by the tests.</info>\n"
         " <license>GPL</license>\n"
         " <instrumentList>\n" +
         instruments +
         " </instrumentList>\n"
         "</drumkit_info>\n";
}

std::string InstrumentXml(int id, const std::string& name, const std::string& layers, float volume) {
  return "  <instrument>\n   <id>" + std::to_string(id) + "</id>\n   <name>" + name + "</name>\n   <volume>" +
         std::to_string(volume) +
         "</volume>\n   <isMuted>false</isMuted>\n   <pan_L>1</pan_L>\n   <pan_R>1</pan_R>\n"
         "   <gain>1</gain>\n   <muteGroup>-1</muteGroup>\n" +
         layers + "  </instrument>\n";
}

std::string LayerXml(const std::string& file, const std::string& min, const std::string& max) {
  return "   <layer>\n    <filename>" + file + "</filename>\n    <min>" + min + "</min>\n    <max>" + max +
         "</max>\n    <gain>1</gain>\n    <pitch>0</pitch>\n   </layer>\n";
}

void WriteLayeredKit(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const KitSample samples[] = {{"kick_soft.flac", 0.2f},
                               {"kick_mid.flac", 0.5f},
                               {"kick_hard.flac", 0.9f},
                               {"snare_soft.flac", 0.3f, 48000, 2, 16},
                               {"snare_hard.flac", 0.8f, 48000, 2, 16},
                               {"tom_hi.flac", 0.6f},
                               {"hihat_closed.flac", 0.4f}};
  for (const KitSample& sample : samples) WriteKitSample(folder, sample);
  const std::string instruments =
      InstrumentXml(0, "Kick",
                    LayerXml("kick_soft.flac", "0", "0.3") + LayerXml("kick_mid.flac", "0.3", "0.7") +
                        LayerXml("kick_hard.flac", "0.7", "1")) +
      InstrumentXml(1, "Snare",
                    "   <instrumentComponent>\n    <drumkitComponent>0</drumkitComponent>\n" +
                        LayerXml("snare_soft.flac", "0", "0.5") + LayerXml("snare_hard.flac", "0.5", "1") +
                        "   </instrumentComponent>\n",
                    0.8f) +
      InstrumentXml(2, "Tom Hi", LayerXml("tom_hi.flac", "0", "1")) +
      InstrumentXml(3, "Closed HH", LayerXml("hihat_closed.flac", "0", "1"));
  std::ofstream(folder + "/drumkit.xml") << KitXml("Test Kit", instruments);
}

}  // namespace test
