#include "backline/recording/plr_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_fixture.h"

namespace {

const char kSnare[] = "SampleBank\\Snares\\Acoustic Snare.wav";

// Little-endian fields, written straight from the file layout's table.
void Int(std::vector<uint8_t>* out, int32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}
void Float(std::vector<uint8_t>* out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  Int(out, static_cast<int32_t>(bits));
}

// Pad slot 0 struck at 0, 250 and 500 ms; the pedal of pad slot 4 set to
// enable secondaries; volumes 0.5 .. in file order.
std::vector<uint8_t> HandMadeFile(char version) {
  std::vector<uint8_t> file = {'P', 'L', 'R', '0', static_cast<uint8_t>(version)};
  Int(&file, 1);
  for (int slot = 0; slot < 10; ++slot) {
    std::vector<uint8_t> record(393, 0);
    if (slot == 0) std::memcpy(record.data(), kSnare, sizeof kSnare);
    if (slot == 4) record[392] = 1;
    file.insert(file.end(), record.begin(), record.end());
  }
  Int(&file, 500);
  Int(&file, 3);
  for (int t : {0, 250, 500}) Int(&file, t);
  for (int slot = 1; slot < 10; ++slot) Int(&file, 0);
  if (version == '3')
    for (int k = 0; k < 20; ++k) Float(&file, 0.5f + 0.01f * static_cast<float>(k));
  return file;
}

Recording ExampleRecording() {
  Recording recording;
  recording.kitCount = 1;
  std::strcpy(recording.pads[0].primary, kSnare);
  recording.pads[4].enablesSecondaries = true;
  recording.length = 500;
  recording.tracks[0] = {0, 250, 500};
  for (int k = 0; k < 20; ++k) recording.volumes[k] = 0.5f + 0.01f * static_cast<float>(k);
  return recording;
}

TEST(PlrFileTest, TheExampleRecordingIsWrittenByteForByte) {
  const std::vector<uint8_t> encoded = EncodeRecording(ExampleRecording());
  EXPECT_EQ(encoded.size(), 4075u);
  EXPECT_EQ(encoded, HandMadeFile('3'));
  EXPECT_EQ(encoded[5], 1);  // the kit count sits right after the magic, unaligned
  EXPECT_EQ(encoded[3939] | encoded[3940] << 8, 500);
}

TEST(PlrFileTest, FilesFromTheTableDecodeInBothVersions) {
  const std::vector<uint8_t> v3 = HandMadeFile('3');
  Recording recording;
  ASSERT_TRUE(DecodeRecording(v3.data(), v3.size(), &recording));
  EXPECT_EQ(recording.version, 3);
  EXPECT_STREQ(recording.pads[0].primary, kSnare);
  EXPECT_TRUE(recording.pads[4].enablesSecondaries);
  EXPECT_FALSE(recording.pads[0].enablesSecondaries);
  EXPECT_EQ(recording.tracks[0], (std::vector<int32_t>{0, 250, 500}));
  EXPECT_FLOAT_EQ(recording.volumes[19], 0.69f);

  const std::vector<uint8_t> v2 = HandMadeFile('2');
  ASSERT_TRUE(DecodeRecording(v2.data(), v2.size(), &recording));
  EXPECT_EQ(recording.version, 2);
  for (float volume : recording.volumes) EXPECT_EQ(volume, 1.0f);
}

TEST(PlrFileTest, DamagedFilesChangeNothing) {
  Recording kept = ExampleRecording();
  std::vector<uint8_t> file = HandMadeFile('3');
  file[4] = '4';
  EXPECT_FALSE(DecodeRecording(file.data(), file.size(), &kept));
  file = HandMadeFile('3');
  EXPECT_FALSE(DecodeRecording(file.data(), 3942, &kept));             // header cut short
  EXPECT_FALSE(DecodeRecording(file.data(), file.size() - 1, &kept));  // volumes cut short
  file[3943] = 0xFF;                                                   // a count past the end
  EXPECT_FALSE(DecodeRecording(file.data(), file.size(), &kept));
  file[3943] = 0;
  file[3946] = 0x80;  // a negative count
  EXPECT_FALSE(DecodeRecording(file.data(), file.size(), &kept));
  EXPECT_FALSE(DecodeRecording(nullptr, 0, &kept));
  EXPECT_EQ(kept.tracks[0], (std::vector<int32_t>{0, 250, 500}));
  EXPECT_EQ(kept.length, 500);
}

TEST(PlrFileTest, APathWithoutItsNulNamesNoSample) {
  std::vector<uint8_t> file = HandMadeFile('3');
  std::memset(&file[9], 'x', 196);
  Recording recording;
  ASSERT_TRUE(DecodeRecording(file.data(), file.size(), &recording));
  EXPECT_EQ(std::strlen(recording.pads[0].primary), 195u);
}

using PlrSaveTest = test::EngineFixture;

TEST_F(PlrSaveTest, SavesIntoAMissingFolderAndKeepsTheRecordingWhenItCannot) {
  const Recording recording = ExampleRecording();
  ASSERT_TRUE(SaveRecording("Recordings\\first take.plr", recording));
  Recording loaded;
  ASSERT_TRUE(LoadRecordingFile("recordings/FIRST TAKE.plr", &loaded));
  EXPECT_EQ(EncodeRecording(loaded), EncodeRecording(recording));

  test::WriteFile("blocked", "a file where a folder should be");
  EXPECT_FALSE(SaveRecording("blocked\\take.plr", recording));
  EXPECT_TRUE(recording.HasEvents());
  EXPECT_NE(LogText().find("Cannot write 'blocked\\take.plr'"), std::string::npos);
  EXPECT_FALSE(LoadRecordingFile("recordings\\missing.plr", &loaded));
}

// Every damaged file is refused with a log line naming it and the reason the
// user is shown; the recording in memory stays.
TEST_F(PlrSaveTest, ADamagedFileIsRefusedWithItsReasonAndChangesNothing) {
  const std::vector<uint8_t> good = HandMadeFile('3');
  const auto write = [](const char* name, std::vector<uint8_t> bytes) {
    test::WriteFile(std::string("recordings/") + name, std::string(bytes.begin(), bytes.end()));
  };
  std::vector<uint8_t> bytes = good;
  bytes[4] = '4';
  write("version.plr", bytes);
  write("short.plr", std::vector<uint8_t>(good.begin(), good.end() - 1));
  bytes = good;
  bytes.push_back(0);
  write("long.plr", bytes);
  bytes = good;
  bytes[3946] = 0x80;
  write("negative.plr", bytes);
  bytes = good;
  bytes[3945] = 0x10;  // 0x100003 events
  write("many.plr", bytes);
  std::filesystem::create_directories("recordings/folder.plr");
  const std::pair<const char*, const char*> cases[] = {
      {"version.plr", "it is not a recording"},
      {"short.plr", "the file is cut short"},
      {"long.plr", "the file is longer than the recording it holds"},
      {"negative.plr", "an event count is negative"},
      {"many.plr", "a pad holds more events than a recording can"},
      {"folder.plr", "the file cannot be opened"},
      {"missing.plr", "the file cannot be opened"},
  };
  Recording kept = ExampleRecording();
  std::string expectedLog;
  for (const auto& [name, reason] : cases) {
    const std::string path = std::string("recordings\\") + name;
    const char* why = nullptr;
    EXPECT_FALSE(LoadRecordingFile(path.c_str(), &kept, &why)) << name;
    EXPECT_STREQ(why, reason) << name;
    expectedLog += "recording \"" + path + "\": " + reason + "\n";
  }
  EXPECT_EQ(LogText(), expectedLog);
  EXPECT_EQ(EncodeRecording(kept), EncodeRecording(ExampleRecording()));
}

// A 1 GiB file (sparse: it takes no disk) is refused from its header and
// counts, without reading its gigabyte.
TEST_F(PlrSaveTest, AHugeFileIsRefusedFromItsHeaderAtOnce) {
  const std::vector<uint8_t> good = HandMadeFile('3');
  test::WriteFile("recordings/huge.plr", std::string(good.begin(), good.end()));
  ASSERT_EQ(truncate("recordings/huge.plr", 1 << 30), 0);
  Recording loaded;
  const char* why = nullptr;
  EXPECT_FALSE(LoadRecordingFile("recordings/huge.plr", &loaded, &why));
  EXPECT_STREQ(why, "the file is longer than the recording it holds");
  EXPECT_FALSE(loaded.HasEvents());
}

}  // namespace
