#include "backline/sound/wave_file.h"

#include <gtest/gtest.h>

#include "tests/backline/sound/wav_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

using test::Chunk;
using test::FmtHead;
using test::Riff;
using WaveFileTest = test::TempDirTest;

std::string ReadAll(WaveFile& wave, uint32_t wanted) {
  std::string bytes(wanted, '\0');
  uint32_t read = 0;
  EXPECT_EQ(wave.Read(bytes.data(), wanted, &read), WaveFile::kOk);
  bytes.resize(read);
  return bytes;
}

TEST_F(WaveFileTest, FindsDataBeforeFmtAndSkipsOddSizedChunks) {
  test::WriteFile("Drum.WAV", Riff(Chunk("data", "abcd") + Chunk("LIST", "odd") +
                                   Chunk("fmt ", FmtHead(1, 1, 48000, 16)) + Chunk("junk", "x")));
  WaveFile wave;
  ASSERT_EQ(wave.Open("drum.wav"), WaveFile::kOk);  // names are matched ignoring case
  EXPECT_EQ(wave.GetFormat()->samplesPerSec, 48000u);
  EXPECT_EQ(wave.GetFormat()->extraSize, 0u);
  EXPECT_TRUE(wave.GetFormat()->extra.empty());
  EXPECT_EQ(wave.GetSize(), 4u);
  EXPECT_EQ(ReadAll(wave, 100), "abcd");  // never more than the chunk holds
  EXPECT_EQ(ReadAll(wave, 100), "");
}

TEST_F(WaveFileTest, KeepsTheExtraFormatBytesOfNonPcmTags) {
  test::WriteFile("a.wav", Riff(Chunk("fmt ", FmtHead(3, 1, 8000, 32) + test::Le16(3) + "xyz") + Chunk("fact", "1234") +
                                Chunk("data", "12345678")));
  WaveFile wave;
  ASSERT_EQ(wave.Open("a.wav"), WaveFile::kOk);
  EXPECT_EQ(wave.GetFormat()->formatTag, 3u);
  EXPECT_EQ(wave.GetFormat()->extraSize, 3u);
  EXPECT_EQ(std::string(wave.GetFormat()->extra.begin(), wave.GetFormat()->extra.end()), "xyz");
  EXPECT_EQ(ReadAll(wave, 5), "12345");
  EXPECT_EQ(ReadAll(wave, 5), "678");
}

TEST_F(WaveFileTest, DamagedFilesFailToOpen) {
  const std::string fmt = Chunk("fmt ", FmtHead(1, 1, 48000, 16));
  const std::string data = Chunk("data", "abcd");
  const std::string valid = Riff(fmt + data);
  const std::pair<const char*, std::string> cases[] = {
      {"not RIFF", "RIFX" + valid.substr(4)},
      {"not WAVE", valid.substr(0, 8) + "AVI " + valid.substr(12)},
      {"empty", ""},
      {"no fmt", Riff(data)},
      {"no data", Riff(fmt)},
      {"fmt under 16 bytes", Riff(Chunk("fmt ", FmtHead(1, 1, 48000, 16).substr(0, 14)) + data)},
      {"extra size cut off", Riff(Chunk("fmt ", FmtHead(2, 1, 48000, 4) + "\x01")) },
      {"extra bytes past the file", Riff("fmt " + test::Le32(18) + FmtHead(2, 1, 48000, 4) + test::Le16(60000))},
      {"data past the end", valid.substr(0, valid.size() - 1)},
      {"data size a lie", Riff(fmt + "data" + test::Le32(0xFFFFFFF0u) + "abcd")},
      {"chunk size a lie", Riff("LIST" + test::Le32(0x7FFFFFFFu) + fmt + data)},
  };
  for (const auto& [name, bytes] : cases) {
    test::WriteFile("bad.wav", bytes);
    WaveFile wave;
    EXPECT_LT(wave.Open("bad.wav"), 0) << name;
    EXPECT_EQ(wave.GetFormat(), nullptr) << name;
  }
}

TEST_F(WaveFileTest, ArgumentAndStateErrors) {
  WaveFile wave;
  uint32_t read = 7;
  char buffer[4];
  EXPECT_EQ(wave.Open(nullptr), WaveFile::kInvalidArg);
  EXPECT_LT(wave.Open("missing.wav"), 0);
  EXPECT_EQ(wave.Read(buffer, 4, &read), WaveFile::kNotOpen);
  test::WriteFile("a.wav", test::Pcm16Wav({1, 2}, 48000));
  ASSERT_EQ(wave.Open("a.wav"), WaveFile::kOk);
  EXPECT_EQ(wave.Read(nullptr, 4, &read), WaveFile::kInvalidArg);
  EXPECT_EQ(wave.Read(buffer, 4, nullptr), WaveFile::kInvalidArg);
  wave.Close();
  EXPECT_EQ(wave.Read(buffer, 4, &read), WaveFile::kNotOpen);
  EXPECT_NE(wave.GetFormat(), nullptr);  // the format outlives Close
}

}  // namespace
