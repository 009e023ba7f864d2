// The layers file is text, one statement a line (docs/LAYERS.md):
//
//   Padlark velocity layers 1
//   pad 4 SampleBank\Kick\Kit Kick 3.wav
//   layer 0 0.35 SampleBank\Kick\Kit Kick 1.wav
//   layer 0.35 0.7 SampleBank\Kick\Kit Kick 2.wav
//   layer 0.7 1 SampleBank\Kick\Kit Kick 3.wav
//
// The reader parses the whole text into a local copy and hands it over only
// when every line is right, so a damaged file changes nothing. Numbers are
// read and written with from_chars and to_chars: no locale can change them.
#include "backline/pads/layer_file.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

namespace {

const char kHeading[] = "Padlark velocity layers ";
constexpr int kVersion = 1;
// Far more than twenty pad sounds of sixteen layers take.
constexpr std::streamsize kMaxFileSize = 1 << 20;

// One line being read: its text after the keyword and its number.
struct Line {
  std::string rest;
  int number = 0;
};

std::string Problem(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

// Reads a number from the front of text and the single space after it.
template <typename Number>
bool TakeNumber(std::string* text, Number* out) {
  const char* begin = text->data();
  const char* end = begin + text->size();
  const auto [stop, error] = std::from_chars(begin, end, *out);
  if (error != std::errc() || stop == end || *stop != ' ') return false;
  text->erase(0, static_cast<size_t>(stop - begin) + 1);
  return true;
}

// Copies a path into a field; what is wrong with it, or empty.
std::string TakePath(const std::string& path, char (&field)[SampleBank::kFieldSize]) {
  if (path.empty()) return "a sample path is missing";
  if (path.size() >= sizeof field) return "the path is longer than 195 characters";
  if (path.find('\0') != std::string::npos) return "the path holds a NUL byte";
  std::memset(field, 0, sizeof field);
  std::memcpy(field, path.data(), path.size());
  return {};
}

class LayerFileReader {
 public:
  // What is wrong with the statement on line, or empty.
  std::string Read(const std::string& keyword, Line line) {
    if (keyword == "pad") return ReadPad(line);
    if (keyword == "layer") return ReadLayer(line);
    return Problem(line.number, "\"" + keyword + "\" is not a statement of a layers file");
  }
  // What is wrong once the last line has been read, or empty.
  std::string Finish(int lines) const {
    if (m_current >= 0 && m_sets->sets[m_current].count == 0)
      return Problem(lines, "pad " + std::to_string(m_current) + " has no layer");
    return {};
  }
  const PadLayerSets& Sets() const { return *m_sets; }

 private:
  std::string ReadPad(Line line) {
    if (std::string unfinished = Finish(line.number - 1); !unfinished.empty()) return unfinished;
    int sound = -1;
    if (!TakeNumber(&line.rest, &sound)) return Problem(line.number, "a pad line is \"pad <sound slot> <path>\"");
    if (sound < 0 || sound >= kVolumeSlots)
      return Problem(line.number, "pad " + std::to_string(sound) + " is not a pad sound (0 to 19)");
    LayerSet& set = m_sets->sets[sound];
    if (set.sample[0] != '\0') return Problem(line.number, "pad " + std::to_string(sound) + " comes twice");
    m_current = sound;
    const std::string bad = TakePath(line.rest, set.sample);
    return bad.empty() ? bad : Problem(line.number, bad);
  }

  std::string ReadLayer(Line line) {
    if (m_current < 0) return Problem(line.number, "a layer comes before any pad");
    LayerSet& set = m_sets->sets[m_current];
    if (set.count == kMaxVelocityLayers)
      return Problem(line.number, "pad " + std::to_string(m_current) + " has more than 16 layers");
    VelocityLayer& layer = set.layers[set.count];
    if (!TakeNumber(&line.rest, &layer.range.min) || !TakeNumber(&line.rest, &layer.range.max))
      return Problem(line.number, "a layer line is \"layer <min> <max> <path>\"");
    if (!(layer.range.min >= 0.0f && layer.range.min <= layer.range.max && layer.range.max <= 1.0f))
      return Problem(line.number, "the velocity range is not one within 0 to 1, its minimum first");
    const std::string bad = TakePath(line.rest, layer.path);
    if (!bad.empty()) return Problem(line.number, bad);
    ++set.count;
    return {};
  }

  std::unique_ptr<PadLayerSets> m_sets = std::make_unique<PadLayerSets>();
  int m_current = -1;  // the pad sound of the last pad line
};

// What is wrong with the heading line, or empty.
std::string CheckHeading(const std::string& line) {
  int version = 0;
  std::string number = line.substr(std::min(line.size(), sizeof kHeading - 1)) + " ";
  if (line.compare(0, sizeof kHeading - 1, kHeading) != 0 || !TakeNumber(&number, &version) || !number.empty())
    return "it is not a layers file (its first line is not \"Padlark velocity layers 1\")";
  if (version != kVersion) return "it is of version " + std::to_string(version) + ", which this program cannot read";
  return {};
}

// Parses text; what is wrong, or empty with *out filled.
std::string Parse(const std::string& text, PadLayerSets* out) {
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (std::string bad = CheckHeading(line); !bad.empty()) return bad;
  LayerFileReader reader;
  int number = 1;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    if (space == std::string::npos) return Problem(number, "\"" + line + "\" is not a statement of a layers file");
    if (std::string bad = reader.Read(line.substr(0, space), {line.substr(space + 1), number}); !bad.empty())
      return bad;
  }
  if (std::string bad = reader.Finish(number); !bad.empty()) return bad;
  *out = reader.Sets();
  return {};
}

// The whole file at path; what is wrong, or empty.
std::string ReadWhole(const std::string& path, std::string* text) {
  std::ifstream file(Basalt::ResolvePath(path.c_str()), std::ios::binary);
  if (!file) return "the file cannot be opened";
  std::string bytes(static_cast<size_t>(kMaxFileSize) + 1, '\0');
  file.read(bytes.data(), kMaxFileSize + 1);
  if (file.bad()) return "the file cannot be read";
  if (file.gcount() > kMaxFileSize) return "the file is larger than 1 MiB, which no layers file is";
  bytes.resize(static_cast<size_t>(file.gcount()));
  *text = std::move(bytes);
  return {};
}

void AppendNumber(std::string* out, float value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  out->append(digits, error == std::errc() ? end : digits);
}

}  // namespace

std::string LayerFilePath(const std::string& presetPath) {
  const size_t name = presetPath.find_last_of("\\/") + 1;  // npos + 1 is 0
  const size_t dot = presetPath.rfind('.');
  const size_t stem = dot != std::string::npos && dot > name ? dot : presetPath.size();
  return presetPath.substr(0, stem) + ".layers";
}

std::string FormatLayerFile(const PadLayerSets& sets) {
  std::string text = kHeading + std::to_string(kVersion) + "\n";
  for (int sound = 0; sound < kVolumeSlots; ++sound) {
    const LayerSet& set = sets.sets[sound];
    if (set.count == 0) continue;
    text += "pad " + std::to_string(sound) + " " + set.sample + "\n";
    for (int layer = 0; layer < set.count; ++layer) {
      text += "layer ";
      AppendNumber(&text, set.layers[layer].range.min);
      text += ' ';
      AppendNumber(&text, set.layers[layer].range.max);
      text += std::string(" ") + set.layers[layer].path + "\n";
    }
  }
  return text;
}

bool ParseLayerFile(const std::string& text, PadLayerSets* out, std::string* why) {
  *why = Basalt::RunGuarded("Cannot read the layers", "file", std::string("there is not enough memory to read it"),
                            [&] { return Parse(text, out); });
  return why->empty();
}

bool ReadLayerFile(const std::string& presetPath, PadLayerSets* out, std::string* why) {
  const std::string path = LayerFilePath(presetPath);
  *out = PadLayerSets{};
  if (!Basalt::PathExists(path.c_str())) return true;
  const bool read = Basalt::RunGuarded("Cannot read the layers file", path.c_str(), false, [&] {
    std::string text;
    *why = ReadWhole(path, &text);
    return why->empty() && ParseLayerFile(text, out, why);
  });
  if (read) return true;
  if (why->empty()) *why = "there is not enough memory to read it";
  Basalt::LogMessage("layers \"%s\": %s", path.c_str(), why->c_str());
  *out = PadLayerSets{};
  return false;
}

bool WriteLayerFile(const std::string& presetPath, const PadLayerSets& sets) {
  const std::string path = LayerFilePath(presetPath);
  return Basalt::RunGuarded("Cannot write the layers file", path.c_str(), false, [&] {
    const std::string text = FormatLayerFile(sets);
    if (text.find('\n') + 1 < text.size()) return Basalt::WriteFileAtomically(path.c_str(), text.data(), text.size());
    std::error_code error;
    std::filesystem::remove(Basalt::ResolvePath(path.c_str()), error);
    if (error) Basalt::LogMessage("Cannot remove '%s': %s", path.c_str(), error.message().c_str());
    return !error;
  });
}

bool LoadPresetLayers(const std::string& presetPath, const SampleBank& bank, VelocityLayers* layers, std::string* why) {
  auto sets = std::make_unique<PadLayerSets>();
  const bool read = ReadLayerFile(presetPath, sets.get(), why);
  layers->Load(*sets, bank, LayerFilePath(presetPath).c_str());
  return read;
}

bool SavePresetLayers(const std::string& presetPath, const PadAssignment& pads, const VelocityLayers& layers) {
  return WriteLayerFile(presetPath, layers.Applying(pads));
}
