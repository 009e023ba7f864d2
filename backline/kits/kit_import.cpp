#include "backline/kits/kit_import.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "backline/kits/drum_roles.h"
#include "backline/kits/drumkit_file.h"
#include "backline/kits/kit_layout.h"
#include "backline/kits/kit_names.h"
#include "backline/kits/sample_conversion.h"
#include "backline/kits/staging_area.h"
#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/fs/path.h"

static_assert(kMaxKitLayers == kMaxVelocityLayers, "every layer of a kit's instrument has a sound slot");

namespace {

namespace fs = std::filesystem;

const char kKitFileName[] = "drumkit.xml";
constexpr std::streamsize kMaxKitFileSize = 16 << 20;
constexpr size_t kMaxNamePart = 60;    // of the kit's or an instrument's name in a sample's name
constexpr size_t kMaxPresetName = 32;  // as a typed preset name
const char* const kCategoryNames[kSampleCategories] = {"Snares", "Cymbals", "TomToms", "Kick", "Other"};
const char* const kPadNames[kPadsPerKit] = {"red", "yellow", "blue", "green", "bass pedal"};

struct ImportedLayer {
  LayerRange range;
  std::string staged;    // the converted file in the staging folder
  std::string bankPath;  // "SampleBank\Kick\<name>.wav"
};

struct ImportedInstrument {
  std::string name;
  DrumPiece piece;
  float volume = 1.0f;
  std::vector<ImportedLayer> layers;  // from the softest up

  // The layer a full strike plays: the one reaching highest (the last of equals).
  const ImportedLayer& Loudest() const {
    const ImportedLayer* loudest = &layers.front();
    for (const ImportedLayer& layer : layers)
      if (layer.range.max >= loudest->range.max) loudest = &layer;
    return *loudest;
  }
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The drumkit.xml of folder, found ignoring case; empty when there is none.
fs::path FindKitFile(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (Basalt::CompareNoCase(it->path().filename().c_str(), kKitFileName) == 0) return it->path();
  return {};
}

// The whole file at path; what is wrong, or empty.
std::string ReadText(const fs::path& path, std::string* text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "it cannot be opened";
  text->assign(static_cast<size_t>(kMaxKitFileSize) + 1, '\0');
  file.read(text->data(), kMaxKitFileSize + 1);
  if (file.bad()) return "it cannot be read";
  if (file.gcount() > kMaxKitFileSize) return "it is larger than 16 MiB, which no drumkit.xml is";
  text->resize(static_cast<size_t>(file.gcount()));
  return {};
}

// The layers of instrument from the softest up, each gain taken relative to
// the loudest layer's so the kit's balance is kept without clipping.
std::vector<std::pair<KitLayer, double>> SofterFirst(const KitInstrument& instrument) {
  std::vector<std::pair<KitLayer, double>> layers;
  float loudest = 0.0f;
  for (const KitLayer& layer : instrument.layers) loudest = std::max(loudest, layer.gain);
  for (const KitLayer& layer : instrument.layers)
    layers.emplace_back(layer, loudest > 0.0f ? layer.gain / loudest : 1.0);
  std::stable_sort(layers.begin(), layers.end(), [](const auto& a, const auto& b) {
    return a.first.min != b.first.min ? a.first.min < b.first.min : a.first.max < b.first.max;
  });
  return layers;
}

class KitImporter {
 public:
  explicit KitImporter(const std::string& folder) : m_folder(folder) {}

  // What is wrong, or empty with *report saying what was done.
  std::string Run(std::string* report) {
    std::string bad = CheckPlaces();
    if (bad.empty()) bad = ReadKit();
    if (bad.empty()) bad = ConvertSamples();
    if (bad.empty()) bad = NameSamples();
    if (bad.empty()) bad = WritePreset();
    if (bad.empty() && !m_staging.Commit(&bad)) bad = "nothing was imported: " + bad;
    if (bad.empty()) *report = Summary();
    return bad;
  }

 private:
  std::string CheckPlaces() {
    std::error_code error;
    if (!fs::is_directory(m_folder, error)) return m_folder.string() + " is not a folder";
    if (!fs::is_directory(Basalt::ResolvePath("SampleBank"), error))
      return "there is no SampleBank folder in " + fs::current_path(error).string() +
             ": run the import in Padlark's game directory (build/game)";
    if (!m_staging.Ready()) return std::string("cannot make the folder ") + StagingArea::kFolder + " to work in";
    return {};
  }

  std::string ReadKit() {
    const fs::path file = FindKitFile(m_folder);
    if (file.empty()) return m_folder.string() + " holds no " + kKitFileName + ": it is not a drum kit folder";
    std::string text, bad = ReadText(file, &text);
    if (bad.empty() && !ParseDrumKitFile(text, &m_kit, &bad)) bad = bad.empty() ? "it cannot be read" : bad;
    return bad.empty() ? bad : file.string() + ": " + bad;
  }

  std::string ConvertSamples() {
    for (const KitInstrument& instrument : m_kit.instruments) {
      if (instrument.layers.empty()) continue;
      ImportedInstrument imported{instrument.name,
                                  PieceOfInstrument(instrument.name),
                                  std::clamp(instrument.volume * instrument.gain, 0.0f, 1.0f),
                                  {}};
      for (const auto& [layer, gain] : SofterFirst(instrument)) ConvertLayer(instrument, layer, gain, &imported);
      if (!imported.layers.empty()) m_instruments.push_back(std::move(imported));
    }
    if (m_instruments.empty()) return "none of the kit's samples could be read:" + LeftOut();
    return {};
  }

  void ConvertLayer(const KitInstrument& instrument, const KitLayer& layer, double gain, ImportedInstrument* into) {
    const std::string staged = m_staging.NewFile(".wav");
    const std::string source = Basalt::ResolvePath((m_folder / layer.file).string().c_str());
    std::string why;
    if (ConvertToWav(source, staged, gain, &why)) {
      into->layers.push_back({{layer.min, layer.max}, staged, {}});
      return;
    }
    m_leftOut.push_back(Quoted(layer.file) + " (instrument " + Quoted(instrument.name) + "): " + why);
  }

  std::string NameSamples() {
    const std::string kitStem =
        CleanFileName(m_kit.name, kMaxNamePart, CleanFileName(m_folder.filename().string(), kMaxNamePart, "Kit"));
    std::map<int, NameTaker> takers;
    for (ImportedInstrument& instrument : m_instruments) {
      const int category = CategoryOfRole(instrument.piece.role);
      const std::string folder = Basalt::ResolvePath(kSampleCategoryDirectories[category]);
      NameTaker& taker = takers.try_emplace(category, folder).first->second;
      const std::string stem = kitStem + " - " + CleanFileName(instrument.name, kMaxNamePart, "Instrument");
      for (size_t k = 0; k < instrument.layers.size(); ++k) {
        ImportedLayer& layer = instrument.layers[k];
        const std::string name =
            taker.TakeFileName(instrument.layers.size() == 1 ? stem : stem + " " + std::to_string(k + 1), ".wav");
        layer.bankPath = kSampleCategoryDirectories[category] + name;
        m_staging.Place(layer.staged, folder + "/" + name);
        ++m_added[category];
      }
    }
    return CheckCapacity();
  }

  std::string CheckCapacity() const {
    for (const auto& [category, added] : m_added) {
      const std::string folder = Basalt::ResolvePath(kSampleCategoryDirectories[category]);
      const size_t held = Basalt::ListDirectory(folder.c_str(), "wav").size();
      if (held + static_cast<size_t>(added) > SampleBank::kPerCategory)
        return folder + " holds " + std::to_string(held) + " WAV files; the kit's " + std::to_string(added) +
               " would pass the " + std::to_string(SampleBank::kPerCategory) +
               " a folder may hold, so nothing was imported";
    }
    return {};
  }

  std::string WritePreset() {
    const KitLayout layout = LayOutKit(Pieces());
    PadAssignment pads;
    PadVolumes volumes;
    PadLayerSets sets;
    for (int sound = 0; sound < kVolumeSlots; ++sound) {
      m_layout[sound] = layout[static_cast<size_t>(sound)];
      if (m_layout[sound] >= 0)
        PutOnPad(m_instruments[static_cast<size_t>(m_layout[sound])], sound, &pads, &volumes, &sets);
    }
    const std::string presets = Basalt::ResolvePath("presets");
    const std::string presetName = NameTaker(presets).Take(
        CleanFileName(m_kit.name, kMaxPresetName, CleanFileName(m_folder.filename().string(), kMaxPresetName, "kit")),
        {".preset", ".layers"});
    const std::string staged = m_staging.NewFile(".preset");
    if (!SavePreset(staged.c_str(), pads, volumes) || !WriteLayerFile(staged, sets))
      return std::string("cannot write the preset in ") + StagingArea::kFolder;
    m_presetPath = presets + "/" + presetName + ".preset";
    if (fs::exists(LayerFilePath(staged))) {
      m_layersPath = LayerFilePath(m_presetPath);
      m_staging.Place(LayerFilePath(staged), m_layersPath);
    }
    m_staging.Place(staged, m_presetPath);
    return {};
  }

  void PutOnPad(const ImportedInstrument& instrument, int sound, PadAssignment* pads, PadVolumes* volumes,
                PadLayerSets* sets) const {
    const std::string& path = instrument.Loudest().bankPath;
    char* field = pads->path[sound % kPadSlots][sound / kPadSlots];
    std::memcpy(field, path.c_str(), path.size() + 1);
    volumes->volume[sound] = instrument.volume;
    if (instrument.layers.size() < 2) return;
    LayerSet& set = sets->sets[sound];
    std::memcpy(set.sample, path.c_str(), path.size() + 1);
    for (const ImportedLayer& layer : instrument.layers) {
      VelocityLayer& kept = set.layers[set.count++];
      kept.range = layer.range;
      std::memcpy(kept.path, layer.bankPath.c_str(), layer.bankPath.size() + 1);
    }
  }

  std::vector<DrumPiece> Pieces() const {
    std::vector<DrumPiece> pieces;
    for (const ImportedInstrument& instrument : m_instruments) pieces.push_back(instrument.piece);
    return pieces;
  }

  std::string LeftOut() const {
    std::string text;
    for (const std::string& line : m_leftOut) text += "\n  " + line;
    return text;
  }

  std::string PadLine(int sound) const {
    const int piece = m_layout[sound];
    if (piece < 0) return "nothing";
    const ImportedInstrument& instrument = m_instruments[static_cast<size_t>(piece)];
    const size_t layers = instrument.layers.size();
    return Quoted(instrument.name) + (layers > 1 ? " (" + std::to_string(layers) + " velocity layers)" : "");
  }

  std::string Summary() const {
    size_t samples = 0;
    for (const ImportedInstrument& instrument : m_instruments) samples += instrument.layers.size();
    std::string text = "Imported the kit " + Quoted(m_kit.name) + " from " + m_folder.string() + ":\n  " +
                       std::to_string(m_instruments.size()) + " instruments, " + std::to_string(samples) +
                       " samples into SampleBank (";
    const char* separator = "";
    for (const auto& [category, added] : m_added) {
      text += separator + std::to_string(added) + " in " + kCategoryNames[category];
      separator = ", ";
    }
    text += ")\n  the preset " + m_presetPath;
    if (!m_layersPath.empty()) text += ", its velocity layers in " + m_layersPath;
    text += ":";
    for (int padSlot = 0; padSlot < kPadSlots; ++padSlot)
      text += "\n    kit " + std::to_string(padSlot / kPadsPerKit) + " " + kPadNames[padSlot % kPadsPerKit] + ": " +
              PadLine(padSlot) + "; secondary: " + PadLine(padSlot + kSecondarySlotOffset);
    if (!m_leftOut.empty()) text += "\n  left out, as they cannot be read:" + LeftOut();
    return text + "\nLoad the preset in Assign Mode (Tab, Load Preset).";
  }

  const fs::path m_folder;
  StagingArea m_staging;
  DrumKitFile m_kit;
  std::vector<ImportedInstrument> m_instruments;
  std::vector<std::string> m_leftOut;
  std::map<int, int> m_added;  // samples by category
  int m_layout[kVolumeSlots] = {};
  std::string m_presetPath, m_layersPath;
};

}  // namespace

bool ImportKit(const std::string& kitFolder, std::string* report) {
  std::string bad = Basalt::RunGuarded("Cannot import the kit", kitFolder.c_str(),
                                       std::string("there is not enough memory to import it"), [&] {
                                         KitImporter importer(kitFolder);
                                         return importer.Run(report);
                                       });
  if (bad.empty()) return true;
  *report = bad;
  return false;
}
