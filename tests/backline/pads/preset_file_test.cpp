#include "backline/pads/preset_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>

#include "tests/backline/pads/bank_files.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/content/generate.h"
#include "tests/support/engine_fixture.h"

namespace {

std::string Field(const std::string& path) { return path + std::string(196 - path.size(), '\0'); }

std::string Int32(uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(&bytes[0], &value, 4);
  return bytes;
}

std::string Float32(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return Int32(bits);
}

// The volume a test gives each sound slot.
float TestVolume(int slot) { return 0.05f * static_cast<float>(slot); }

// A preset made byte by byte: pad slot 0 plays the bank's first snare, pad
// slot 4 enables secondaries, and version 3 appends the test volumes of sound
// slots 0..9 and then 5..14.
std::string PresetBytes(char version, const std::string& slot0Primary = Field("SampleBank\\Snares\\c0.wav")) {
  std::string bytes = std::string("PR0") + version + slot0Primary + Field("") + Int32(0);
  for (int slot = 1; slot < 10; ++slot) bytes += Field("") + Field("") + Int32(slot == 4 ? 1 : 0);
  if (version == '3')
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14})
      bytes += Float32(TestVolume(slot));
  return bytes;
}

class PresetFileTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    test::WriteMinimalBank();
    test::WriteSamples(Snares, {"Snare.wav"});
    test::WriteSamples(Kick, {"kick2.wav"});
    ASSERT_TRUE(DiscoverSampleBank(m_bank.get()));
  }
  bool Load(const char* path) { return LoadPreset(path, &m_pads, *m_bank, &m_volumes); }
  bool Save(const char* path) { return SavePreset(path, m_pads, m_volumes); }
  void Assign(int slot, int which, int sample) { AssignPadSample(&m_pads, *m_bank, slot, which, sample); }
  // Some assignment that a failed load must leave alone.
  void AssignSomething() {
    Assign(0, PrimarySample, 1);
    m_volumes.Set(0, 0.25f);
    m_sound.Clear();
  }
  void ExpectUntouched() {
    EXPECT_EQ(m_pads.primary[0], 1);
    EXPECT_EQ(m_volumes.volume[0], 0.25f);
    EXPECT_EQ(m_sound.Count(), 0);
  }

  std::unique_ptr<SampleBank> m_bank = std::make_unique<SampleBank>();
  test::FakeSound m_sound;
  PadAssignment m_pads;
  PadVolumes m_volumes;
};

TEST_F(PresetFileTest, ARoundTripRestoresSamplesFunctionsAndTheStoredVolumes) {
  Assign(0, PrimarySample, 1);              // Snare.wav
  Assign(4, SecondarySample, 3 * 512 + 1);  // kick2.wav
  Assign(9, PrimarySample, 4 * 512);
  m_pads.function[9] = EnableSecondaries;
  for (int slot = 0; slot < 20; ++slot) m_volumes.Set(slot, TestVolume(slot));
  ASSERT_TRUE(Save("presets\\mine.preset"));
  EXPECT_EQ(std::filesystem::file_size("presets/mine.preset"), 4044u);

  const PadVolumes saved = m_volumes;
  const PadAssignment assigned = m_pads;
  m_pads = PadAssignment();
  m_volumes.Reset();
  m_sound.Clear();
  ASSERT_TRUE(Load("PRESETS\\MINE.preset"));
  EXPECT_EQ(std::memcmp(&m_pads, &assigned, sizeof m_pads), 0);
  EXPECT_EQ(m_sound.Log(),
            "load 0 SampleBank\\Snares\\Snare.wav\nload 14 SampleBank\\Kick\\kick2.wav\n"
            "load 9 SampleBank\\Other\\c4.wav\n");
  for (int slot = 0; slot < 15; ++slot) EXPECT_FLOAT_EQ(m_volumes.volume[slot], saved.volume[slot]) << slot;
  for (int slot = 15; slot < 20; ++slot) EXPECT_EQ(m_volumes.volume[slot], 1.0f) << slot;
}

TEST_F(PresetFileTest, WritesTheFormatsLayoutWithTheVolumeBlocksRepeatedSlots) {
  Assign(0, PrimarySample, 0);
  m_pads.function[4] = EnableSecondaries;
  for (int slot = 0; slot < 20; ++slot) m_volumes.Set(slot, TestVolume(slot));
  ASSERT_TRUE(Save("presets\\layout.preset"));
  EXPECT_EQ(test::ReadFile("presets/layout.preset"), PresetBytes('3'));
}

TEST_F(PresetFileTest, OnlyTheFourthByteNamesTheVersionAndVersion2LeavesTheVolumes) {
  std::string bytes = PresetBytes('2');
  bytes.replace(0, 3, "XYZ");
  test::WriteFile("v2.preset", bytes);
  m_volumes.Set(3, 0.3f);
  ASSERT_TRUE(Load("v2.preset"));
  EXPECT_EQ(m_pads.primary[0], 0);
  EXPECT_EQ(m_pads.function[4], EnableSecondaries);
  EXPECT_EQ(m_volumes.volume[3], 0.3f);
  EXPECT_EQ(LogText(), "");
}

TEST_F(PresetFileTest, DamagedFilesAreRefusedWholeAndChangeNothing) {
  AssignSomething();
  EXPECT_FALSE(Load(nullptr));
  EXPECT_EQ(LogText(), "");
  EXPECT_FALSE(Load("missing.preset"));
  std::filesystem::create_directory("folder.preset");
  EXPECT_FALSE(Load("folder.preset"));

  std::string wrongVersion = PresetBytes('3');
  wrongVersion[3] = '4';
  test::WriteFile("v4.preset", wrongVersion);
  EXPECT_FALSE(Load("v4.preset"));
  test::WriteFile("short3.preset", PresetBytes('3').substr(0, 4043));
  EXPECT_FALSE(Load("short3.preset"));
  test::WriteFile("short2.preset", PresetBytes('2').substr(0, 400));
  EXPECT_FALSE(Load("short2.preset"));
  test::WriteFile("tiny.preset", "PR");
  EXPECT_FALSE(Load("tiny.preset"));
  ExpectUntouched();
  EXPECT_EQ(LogText(),
            "preset \"missing.preset\": the file cannot be opened\n"
            "preset \"folder.preset\": the file cannot be opened\n"
            "preset \"v4.preset\": incorrect file version\n"
            "preset \"short3.preset\": the file is too short, nothing loaded\n"
            "preset \"short2.preset\": the file is too short, nothing loaded\n"
            "preset \"tiny.preset\": the file is too short, nothing loaded\n");
}

TEST_F(PresetFileTest, APathWithoutItsNulOrOutsideTheBankLeavesThePadUnassigned) {
  AssignSomething();
  test::WriteFile("nonul.preset", PresetBytes('2', std::string(196, 'A')));
  ASSERT_TRUE(Load("nonul.preset"));
  EXPECT_EQ(m_pads.primary[0], kNoSample);

  AssignSomething();
  test::WriteFile("gone.preset", PresetBytes('2', Field("SampleBank\\Snares\\gone.wav")));
  ASSERT_TRUE(Load("gone.preset"));
  EXPECT_EQ(m_pads.primary[0], kNoSample);
  EXPECT_EQ(m_sound.Log(), "stop 0\n");  // the sample it played before falls silent
}

// A path the bank does not hold, another spelling of one it holds, bytes
// after a path's NUL and function values other than 0 and 1 all go back into
// the file as they came, until the user assigns something else.
TEST_F(PresetFileTest, AnUnchangedPadIsSavedWithTheBytesItWasReadFrom) {
  constexpr size_t kRecord1 = 4 + 396, kRecord2 = 4 + 2 * 396, kFunction4 = 4 + 4 * 396 + 392;
  std::string bytes = PresetBytes('3', Field("samplebank\\SNARES\\snare.WAV"));
  bytes.replace(kRecord1, 196, Field("SampleBank\\Snares\\gone.wav").replace(40, 3, "xyz"));
  bytes.replace(kRecord2 + 196, 196, std::string(196, 'A'));  // a secondary without its NUL
  bytes.replace(kFunction4, 4, Int32(2));
  bytes.replace(kFunction4 + 396, 4, Int32(0xFFFFFFFF));
  test::WriteFile("presets/odd.preset", bytes);
  ASSERT_TRUE(Load("presets\\odd.preset"));
  EXPECT_EQ(m_pads.primary[0], 1);  // Snare.wav
  EXPECT_EQ(m_pads.primary[1], kNoSample);
  EXPECT_TRUE(PadSampleMissing(m_pads, 1, PrimarySample));
  EXPECT_FALSE(PadSampleMissing(m_pads, 2, SecondarySample));  // names nothing
  EXPECT_FALSE(PadEnablesSecondaries(m_pads, 4));
  EXPECT_FALSE(PadEnablesSecondaries(m_pads, 5));
  EXPECT_EQ(m_sound.Log(), "load 0 SampleBank\\Snares\\Snare.wav\n");
  EXPECT_EQ(LogText(),
            "preset \"presets\\odd.preset\": the primary sample of pad slot 1, \"SampleBank\\Snares\\gone.wav\", is "
            "not in the sample bank: the pad is silent and keeps the path\n");
  ASSERT_TRUE(Save("presets\\again.preset"));
  EXPECT_EQ(test::ReadFile("presets/again.preset"), bytes);

  Assign(1, PrimarySample, 0);
  ASSERT_TRUE(Save("presets\\again.preset"));
  EXPECT_EQ(test::ReadFile("presets/again.preset"), bytes.replace(kRecord1, 196, Field("SampleBank\\Snares\\c0.wav")));
}

TEST_F(PresetFileTest, TheSecondCopyOfSlots5To9WinsAndAbsurdVolumesAreClamped) {
  std::string bytes = PresetBytes('3');
  const float values[] = {std::numeric_limits<float>::quiet_NaN(), -3.0f, 1e30f,
                          std::numeric_limits<float>::infinity()};
  for (int k = 0; k < 4; ++k) bytes.replace(3964 + 4 * k, 4, Float32(values[k]));
  bytes.replace(3964 + 4 * 10, 4, Float32(0.9f));  // entry 10: sound slot 5 again
  test::WriteFile("absurd.preset", bytes);
  m_volumes.Set(0, 0.7f);
  ASSERT_TRUE(Load("absurd.preset"));
  EXPECT_EQ(m_volumes.volume[0], 0.7f);
  EXPECT_EQ(m_volumes.volume[1], 0.0f);
  EXPECT_EQ(m_volumes.volume[2], 1.0f);
  EXPECT_EQ(m_volumes.volume[3], 1.0f);
  EXPECT_EQ(m_volumes.volume[5], 0.9f);
}

TEST_F(PresetFileTest, SavingCreatesTheFolderWhicheverWayItIsSpelled) {
  EXPECT_FALSE(Save(nullptr));
  ASSERT_TRUE(Save(kDefaultPresetPath));
  EXPECT_TRUE(std::filesystem::exists("Presets/default.preset"));
  ASSERT_TRUE(Save("presets\\again.preset"));
  EXPECT_TRUE(std::filesystem::exists("Presets/again.preset"));
}

TEST_F(PresetFileTest, TheContentGeneratorsStarterPresetFindsItsSamples) {
  EXPECT_FALSE(LoadDefaultPreset(&m_pads, *m_bank, &m_volumes));
  std::filesystem::remove_all("SampleBank");
  ASSERT_TRUE(test::GenerateContent("."));
  ASSERT_TRUE(DiscoverSampleBank(m_bank.get()));
  ASSERT_TRUE(LoadDefaultPreset(&m_pads, *m_bank, &m_volumes));
  for (int slot = 0; slot < kPadSlots; ++slot) EXPECT_NE(m_pads.primary[slot], kNoSample) << slot;
  EXPECT_EQ(LogText(),
            "Loading default preset...\npreset \"Presets\\default.preset\": the file cannot be opened\n"
            "cannot load default.preset!\nLoading default preset...\n");
}

}  // namespace
