#include "backline/kits/kit_import.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "basalt/fs/path.h"
#include "tests/backline/pads/bank_files.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/kit_folder.h"

namespace {

namespace fs = std::filesystem;

const char kKit[] = "kits/test kit";
// Where the installed kits of Debian's hydrogen-drumkits package are.
const char kInstalledKits[] = "/usr/share/hydrogen/data/drumkits";

// Every file under the working directory and its bytes.
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    if (entry.is_regular_file()) files[entry.path().string()] = test::ReadFile(entry.path().string());
  return files;
}

// The frames of a sound file as libsndfile's ints, with its format, rate and channels in front.
std::vector<int> Frames(const std::string& path) {
  SF_INFO info = {};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<int> data(static_cast<size_t>(info.frames * info.channels));
  sf_readf_int(file, data.data(), info.frames);
  sf_close(file);
  data.insert(data.begin(), {info.format & SF_FORMAT_SUBMASK, info.samplerate, info.channels});
  return data;
}

// A game directory with the smallest sample bank and a layered kit beside it.
class KitImportTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    test::WriteMinimalBank();
    test::WriteLayeredKit(kKit);
  }
  bool Import(const std::string& folder = kKit) { return ImportKit(folder, &m_report); }
  // Imports expecting a refusal that names what is wrong and leaves every file as it was.
  void ExpectRefused(const std::string& folder, const std::string& problem) {
    const auto before = Snapshot();
    EXPECT_FALSE(Import(folder));
    EXPECT_NE(m_report.find(problem), std::string::npos) << m_report;
    EXPECT_EQ(Snapshot(), before);
  }

  std::string m_report;
};

TEST_F(KitImportTest, ALayeredFlacKitBecomesBankSamplesAndAPresetWhoseLayersPlayByVelocity) {
  ASSERT_TRUE(Import()) << m_report;
  for (const char* layer : {"1", "2", "3"})
    EXPECT_EQ(Frames(std::string("SampleBank/Kick/Test Kit - Kick ") + layer + ".wav"),
              Frames(std::string(kKit) + "/kick_" +
                     (layer[0] == '1'   ? "soft"
                      : layer[0] == '2' ? "mid"
                                        : "hard") +
                     ".flac"));
  EXPECT_EQ(Frames("SampleBank/Kick/Test Kit - Kick 1.wav")[0], SF_FORMAT_PCM_24);
  EXPECT_EQ(Frames("SampleBank/Snares/Test Kit - Snare 2.wav"), Frames(std::string(kKit) + "/snare_hard.flac"));
  EXPECT_EQ(Frames("SampleBank/Snares/Test Kit - Snare 2.wav")[2], 2);  // stereo kept
  EXPECT_TRUE(fs::exists("SampleBank/TomToms/Test Kit - Tom Hi.wav"));
  EXPECT_TRUE(fs::exists("SampleBank/Cymbals/Test Kit - Closed HH.wav"));
  EXPECT_FALSE(fs::exists("kit-import.partial"));
  EXPECT_NE(m_report.find("kit 0 bass pedal: \"Kick\" (3 velocity layers); secondary: nothing"), std::string::npos)
      << m_report;
  EXPECT_NE(m_report.find("the preset presets/Test Kit.preset, its velocity layers in presets/Test Kit.layers"),
            std::string::npos);

  auto bank = std::make_unique<SampleBank>();
  ASSERT_TRUE(DiscoverSampleBank(bank.get()));
  test::FakeSound sound;
  PadAssignment pads;
  PadVolumes volumes;
  VelocityLayers layers;
  std::string why;
  ASSERT_TRUE(LoadPreset("presets\\Test Kit.preset", &pads, *bank, &volumes));
  ASSERT_TRUE(LoadPresetLayers("presets\\Test Kit.preset", *bank, &layers, &why)) << why;
  EXPECT_STREQ(PadSamplePath(pads, BassPedal, PrimarySample), "SampleBank\\Kick\\Test Kit - Kick 3.wav");
  EXPECT_STREQ(PadSamplePath(pads, RedPad, PrimarySample), "SampleBank\\Snares\\Test Kit - Snare 2.wav");
  EXPECT_STREQ(PadSamplePath(pads, YellowPad, PrimarySample), "SampleBank\\TomToms\\Test Kit - Tom Hi.wav");
  EXPECT_STREQ(PadSamplePath(pads, GreenPad, PrimarySample), "SampleBank\\Cymbals\\Test Kit - Closed HH.wav");
  EXPECT_FLOAT_EQ(volumes.volume[RedPad], 0.8f);  // the instrument's volume
  const int soft = layers.SoundSlotFor(pads, BassPedal, 0.1f), hard = layers.SoundSlotFor(pads, BassPedal, 0.9f);
  EXPECT_NE(sound.Log().find("load " + std::to_string(soft) + " SampleBank\\Kick\\Test Kit - Kick 1.wav\n"),
            std::string::npos);
  EXPECT_NE(sound.Log().find("load " + std::to_string(hard) + " SampleBank\\Kick\\Test Kit - Kick 3.wav\n"),
            std::string::npos);
  EXPECT_EQ(layers.ApplyingCount(pads, PadSlotOf(1, BassPedal)), 3);  // the second kit plays the same kick
  EXPECT_EQ(layers.ApplyingCount(pads, YellowPad), 0);                // one sample: no layers
}

TEST_F(KitImportTest, NothingTheUserHasIsReplacedAndASecondImportGetsNewNames) {
  test::WriteFile("SampleBank/Kick/Test Kit - Kick 1.wav", "the user's own");
  test::WriteFile("presets/test kit.preset", "the user's preset");
  test::WriteFile("presets/Test Kit (2).layers", "left over");
  ASSERT_TRUE(Import()) << m_report;
  EXPECT_EQ(test::ReadFile("SampleBank/Kick/Test Kit - Kick 1.wav"), "the user's own");
  EXPECT_EQ(test::ReadFile("presets/test kit.preset"), "the user's preset");
  EXPECT_EQ(test::ReadFile("presets/Test Kit (2).layers"), "left over");
  EXPECT_TRUE(fs::exists("SampleBank/Kick/Test Kit - Kick 1 (2).wav"));
  EXPECT_TRUE(fs::exists("presets/Test Kit (3).preset"));
  EXPECT_NE(test::ReadFile("presets/Test Kit (3).layers").find("SampleBank\\Kick\\Test Kit - Kick 1 (2).wav"),
            std::string::npos);
  const auto first = Snapshot();
  ASSERT_TRUE(Import()) << m_report;
  for (const auto& [path, bytes] : first) EXPECT_EQ(test::ReadFile(path), bytes) << path;
  EXPECT_TRUE(fs::exists("presets/Test Kit (4).preset"));
  EXPECT_TRUE(fs::exists("SampleBank/Kick/Test Kit - Kick 3 (2).wav"));
}

TEST_F(KitImportTest, ASampleThatIsMissingOrDamagedIsLeftOutAndNamedAndTheRestImported) {
  fs::remove(std::string(kKit) + "/kick_mid.flac");
  test::WriteFile(std::string(kKit) + "/hihat_closed.flac", "fLaC but not really");
  ASSERT_TRUE(Import()) << m_report;
  EXPECT_NE(m_report.find("\"kick_mid.flac\" (instrument \"Kick\"): there is no such file"), std::string::npos)
      << m_report;
  EXPECT_NE(m_report.find("\"hihat_closed.flac\" (instrument \"Closed HH\"): it is not a sound file"),
            std::string::npos);
  EXPECT_EQ(test::ReadFile("presets/Test Kit.layers").find("Kick 3"), std::string::npos);  // two layers left
  EXPECT_NE(test::ReadFile("presets/Test Kit.layers").find("layer 0.7 1 SampleBank\\Kick\\Test Kit - Kick 2.wav"),
            std::string::npos);
  EXPECT_FALSE(fs::exists("SampleBank/Cymbals/Test Kit - Closed HH.wav"));
}

TEST_F(KitImportTest, AKitThatCannotBeImportedIsNamedWithWhatIsWrongAndLeavesNothing) {
  ExpectRefused("kits/none", "kits/none is not a folder");
  fs::create_directories("kits/empty");
  ExpectRefused("kits/empty", "kits/empty holds no drumkit.xml: it is not a drum kit folder");
  const std::string xml = std::string(kKit) + "/drumkit.xml";
  const std::string good = test::ReadFile(xml);
  test::WriteFile(xml, good.substr(0, good.size() / 2));
  ExpectRefused(kKit, xml + ": line ");
  test::WriteFile(xml, test::KitXml("Nothing", ""));
  ExpectRefused(kKit, xml + ": it lists no instrument with a sample");
  test::WriteFile(xml,
                  test::KitXml("Bad", test::InstrumentXml(0, "Kick", test::LayerXml("kick_soft.flac", "0.9", "0.1"))));
  ExpectRefused(kKit, xml + ": line 17: the velocity range 0.9 to 0.1 is not one within 0 to 1, its minimum first");
  test::WriteFile(xml, test::KitXml("Gone", test::InstrumentXml(0, "Kick", test::LayerXml("gone.flac", "0", "1"))));
  ExpectRefused(
      kKit, "none of the kit's samples could be read:\n  \"gone.flac\" (instrument \"Kick\"): there is no such file");
}

TEST_F(KitImportTest, AFullSampleFolderOrNoGameDirectoryStopsTheImportBeforeAnythingIsWritten) {
  for (int i = 1; i < SampleBank::kPerCategory; ++i) test::WriteSample(Kick, "k" + std::to_string(i) + ".wav");
  ExpectRefused(kKit, "SampleBank/Kick holds 512 WAV files; the kit's 3 would pass the 512 a folder may hold");
  fs::remove_all("SampleBank");
  ExpectRefused(kKit, "there is no SampleBank folder in ");
}

TEST_F(KitImportTest, EveryKitTheDebianPackageInstallsImportsAndLoads) {
  if (!fs::is_directory(kInstalledKits)) GTEST_SKIP() << "hydrogen-drumkits is not installed";
  auto bank = std::make_unique<SampleBank>();
  test::FakeSound sound;
  for (const auto& kit : fs::directory_iterator(kInstalledKits)) {
    ASSERT_TRUE(Import(kit.path().string())) << m_report;
    ASSERT_TRUE(DiscoverSampleBank(bank.get())) << kit.path();
  }
  for (const std::string& preset : Basalt::ListDirectory("presets", "preset")) {
    PadAssignment pads;
    PadVolumes volumes;
    VelocityLayers layers;
    std::string why;
    EXPECT_TRUE(LoadPreset(("presets\\" + preset).c_str(), &pads, *bank, &volumes)) << preset;
    EXPECT_TRUE(LoadPresetLayers("presets\\" + preset, *bank, &layers, &why)) << preset << ": " << why;
  }
  EXPECT_EQ(LogText().find("is not in the sample bank"), std::string::npos) << LogText();
}

}  // namespace
