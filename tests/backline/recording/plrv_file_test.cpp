#include "backline/recording/plrv_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"

namespace {

// Little-endian fields, written straight from docs/plrv-format.md's table.
void Put(std::vector<uint8_t>* out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Pad slot 0 struck three times, pad slot 3 once.
Recording ExampleRecording() {
  Recording recording;
  recording.length = 500;
  recording.tracks[0] = {0, 250, 500};
  recording.tracks[3] = {120};
  recording.velocities[0] = {1.0f, 0.5f, 0.0f};
  recording.velocities[3] = {0.25f};
  for (float& volume : recording.volumes) volume = 1.0f;
  return recording;
}

// The example's side file, field by field, bound to recordingHash.
std::vector<uint8_t> HandMadeFile(uint64_t recordingHash) {
  std::vector<uint8_t> file = {'P', 'L', 'R', 'V', 1};
  Put(&file, recordingHash, 8);
  for (int slot = 0; slot < 10; ++slot) Put(&file, slot == 0 ? 3 : slot == 3 ? 1 : 0, 4);
  for (uint64_t units : {65535, 32768, 0, 16384}) Put(&file, units, 2);
  Put(&file, PlrvHash(file.data(), file.size()), 8);
  return file;
}

VelocityFile Decoded(const std::vector<uint8_t>& file) {
  VelocityFile info;
  EXPECT_EQ(DecodeVelocities(file.data(), file.size(), &info), nullptr);
  return info;
}

TEST(PlrvFileTest, TheExampleIsWrittenByteForByteAndEveryStoredValueSurvivesARoundTrip) {
  const auto hash = [](const char* text) { return PlrvHash(reinterpret_cast<const uint8_t*>(text), std::strlen(text)); };
  EXPECT_EQ(hash(""), 0xcbf29ce484222325ull);  // FNV-1a 64's published values
  EXPECT_EQ(hash("foobar"), 0x85944171f73967e8ull);
  VelocityFile info;
  info.recordingHash = 0x0123456789ABCDEFull;
  for (int slot = 0; slot < kPlrPadSlots; ++slot) info.velocities[slot] = ExampleRecording().velocities[slot];
  const std::vector<uint8_t> file = EncodeVelocities(info);
  EXPECT_EQ(file, HandMadeFile(0x0123456789ABCDEFull));
  EXPECT_EQ(file.size(), 61u + 2 * 4);
  const VelocityFile decoded = Decoded(file);
  EXPECT_EQ(decoded.recordingHash, info.recordingHash);
  EXPECT_EQ(decoded.velocities[0], (std::vector<float>{1.0f, 32768 / 65535.0f, 0.0f}));

  VelocityFile every;
  for (int units = 0; units <= 65535; ++units) every.velocities[units % 10].push_back(static_cast<float>(units) / 65535);
  const std::vector<uint8_t> image = EncodeVelocities(every);
  EXPECT_EQ(EncodeVelocities(Decoded(image)), image);
}

// Every way a file can be damaged is refused with its reason, and out stays as it was.
TEST(PlrvFileTest, DamagedFilesAreRefusedWithTheirReason) {
  const std::vector<uint8_t> good = HandMadeFile(7);
  std::vector<uint8_t> badMagic = good, version2 = good, negative = good, tooMany = good, flipped = good;
  badMagic[3] = 'W';
  version2[4] = 2;
  negative[13 + 4 * 3 + 3] = 0x80;  // pad slot 3's count
  tooMany[13 + 4 * 5] = 0x01;  // 0x100001 events on pad slot 5
  tooMany[13 + 4 * 5 + 2] = 0x10;
  flipped[53 + 3] ^= 0x01;  // a velocity
  std::vector<uint8_t> longer = good, shorter(good.begin(), good.end() - 1);
  longer.push_back(0);
  const std::pair<std::vector<uint8_t>, const char*> cases[] = {
      {{}, "it is not a velocity file"},
      {badMagic, "it is not a velocity file"},
      {{'P', 'L', 'R', 'V'}, "its version is not one this program reads"},
      {version2, "its version is not one this program reads"},
      {std::vector<uint8_t>(good.begin(), good.begin() + 52), "the file is cut short"},
      {shorter, "the file is cut short"},
      {longer, "the file is longer than the velocities it holds"},
      {negative, "an event count is negative"},
      {tooMany, "a pad holds more events than a recording can"},
      {flipped, "the file is damaged"},
  };
  VelocityFile kept;
  kept.recordingHash = 99;
  for (const auto& [file, reason] : cases) {
    EXPECT_STREQ(DecodeVelocities(file.data(), file.size(), &kept), reason) << file.size();
    EXPECT_EQ(kept.recordingHash, 99u);
  }
  EXPECT_STREQ(DecodeVelocities(nullptr, 0, &kept), "it is not a velocity file");
}

using PlrvSaveTest = test::EngineFixture;

std::vector<uint8_t> Bytes(const char* path) {
  const std::string text = test::ReadFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

// The .plr is PLR03 exactly as before; its velocities come back from the side file.
TEST_F(PlrvSaveTest, ARecordingSavedAndLoadedKeepsItsVelocitiesInTheSideFile) {
  const Recording recording = ExampleRecording();
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", recording));
  const std::vector<uint8_t> plr = Bytes("recordings/take.plr");
  EXPECT_EQ(plr, EncodeRecording(recording));
  EXPECT_EQ(Bytes("recordings/take.plrv"),
            HandMadeFile(PlrvHash(plr.data(), plr.size())));  // 0.5 is stored as 32768
  Recording loaded;
  ASSERT_TRUE(LoadRecordingFile("Recordings\\TAKE.plr", &loaded));
  EXPECT_EQ(EncodeRecording(loaded), plr);
  EXPECT_EQ(loaded.velocities[0], (std::vector<float>{1.0f, 32768 / 65535.0f, 0.0f}));
  EXPECT_EQ(loaded.velocities[3], (std::vector<float>{16384 / 65535.0f}));
  EXPECT_EQ(LogText(), "");

  Recording keys;  // a recording without velocities, saved over it, leaves no side file
  keys.tracks[2] = {10};
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", keys));
  EXPECT_TRUE(std::filesystem::exists("recordings/take.plr"));
  EXPECT_FALSE(std::filesystem::exists("recordings/take.plrv"));
}

// Without its side file, or with one that is damaged or another's, a recording
// loads and plays at full strength; only a side file that is there is logged.
TEST_F(PlrvSaveTest, AMissingDamagedOrMismatchedSideFileLeavesTheRecordingAtFullStrength) {
  Recording recording = ExampleRecording();
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", recording));
  const std::string firstSide = test::ReadFile("recordings/take.plrv");
  recording.tracks[0] = {0, 250, 499};  // the take saved again, a millisecond apart
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", recording));
  std::filesystem::copy_file("recordings/take.plr", "recordings/missing.plr");
  std::filesystem::copy_file("recordings/take.plr", "recordings/stale.plr");
  test::WriteFile("recordings/stale.plrv", firstSide);
  std::filesystem::copy_file("recordings/take.plr", "recordings/damaged.plr");
  std::string damaged = test::ReadFile("recordings/take.plrv");
  damaged[55] ^= 0x40;
  test::WriteFile("recordings/damaged.plrv", damaged);
  std::filesystem::copy_file("recordings/take.plr", "recordings/counts.plr");
  VelocityFile counts = Decoded(Bytes("recordings/take.plrv"));
  counts.velocities[3].push_back(1.0f);  // one event more than the recording's, bound to it all the same
  const std::vector<uint8_t> countsFile = EncodeVelocities(counts);
  test::WriteFile("recordings/counts.plrv", std::string(countsFile.begin(), countsFile.end()));

  for (const char* name : {"missing", "stale", "damaged", "counts"}) {
    Recording loaded;
    loaded.velocities[5] = {0.5f};  // what was there before goes
    ASSERT_TRUE(LoadRecordingFile((std::string("recordings\\") + name + ".plr").c_str(), &loaded)) << name;
    EXPECT_EQ(loaded.tracks[0], recording.tracks[0]) << name;
    EXPECT_FALSE(loaded.HasVelocities()) << name;
    EXPECT_EQ(loaded.EventVelocity(0, 1), 1.0f) << name;
  }
  EXPECT_EQ(LogText(),
            "velocities \"recordings\\stale.plrv\": it belongs to another recording; the recording plays back at "
            "full strength\n"
            "velocities \"recordings\\damaged.plrv\": the file is damaged; the recording plays back at full strength\n"
            "velocities \"recordings\\counts.plrv\": its events are not the recording's; the recording plays back at "
            "full strength\n");
  Recording loaded;
  ASSERT_TRUE(LoadRecordingFile("recordings\\take.plr", &loaded));
  EXPECT_EQ(loaded.velocities[0], (std::vector<float>{1.0f, 32768 / 65535.0f, 0.0f}));
}

// A side file that cannot be written does not undo the recording's save.
TEST_F(PlrvSaveTest, ASideFileThatCannotBeWrittenIsLoggedAndTheRecordingStaysSaved) {
  std::filesystem::create_directories("recordings/take.plrv/in the way");
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", ExampleRecording()));
  Recording loaded;
  ASSERT_TRUE(LoadRecordingFile("recordings\\take.plr", &loaded));
  EXPECT_TRUE(loaded.HasEvents());
  EXPECT_FALSE(loaded.HasVelocities());
  EXPECT_NE(LogText().find("velocities \"recordings\\take.plrv\": not saved; the recording plays back at full strength"),
            std::string::npos);
}

// A 1 GiB side file (sparse: it takes no disk) is refused from its header,
// without reading its gigabyte.
TEST_F(PlrvSaveTest, AHugeSideFileIsRefusedFromItsHeaderAtOnce) {
  ASSERT_TRUE(SaveRecording("recordings\\take.plr", ExampleRecording()));
  ASSERT_EQ(truncate("recordings/take.plrv", 1 << 30), 0);
  Recording loaded;
  ASSERT_TRUE(LoadRecordingFile("recordings\\take.plr", &loaded));
  EXPECT_FALSE(loaded.HasVelocities());
  EXPECT_NE(LogText().find("the file is longer than the velocities it holds"), std::string::npos);
}

}  // namespace
