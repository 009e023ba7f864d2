#include "backline/pads/sample_bank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "backline/pads/pad_assignment.h"
#include "tests/backline/pads/bank_files.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/engine_fixture.h"

namespace {

class SampleBankTest : public test::EngineFixture {
 protected:
  bool Discover() { return DiscoverSampleBank(m_bank.get()); }
  const SampleBank& Bank() const { return *m_bank; }

  std::unique_ptr<SampleBank> m_bank = std::make_unique<SampleBank>();
};

TEST_F(SampleBankTest, ListsEachCategoryInCaseInsensitiveOrderUnderItsIndexRange) {
  test::WriteMinimalBank();
  test::WriteSamples(Snares, {"snare_b.wav", "Snare_a.WAV", "notes.txt"});
  test::WriteSamples(Kick, {"kick2.wav"});
  ASSERT_TRUE(Discover());
  EXPECT_EQ(Bank().count[Snares], 3);
  EXPECT_STREQ(Bank().names[0], "c0.wav");
  EXPECT_STREQ(Bank().names[1], "Snare_a.WAV");
  EXPECT_STREQ(Bank().paths[2], "SampleBank\\Snares\\snare_b.wav");
  EXPECT_EQ(Bank().count[Kick], 2);
  EXPECT_STREQ(Bank().paths[3 * 512 + 1], "SampleBank\\Kick\\kick2.wav");
  EXPECT_STREQ(Bank().paths[4 * 512], "SampleBank\\Other\\c4.wav");
}

TEST_F(SampleBankTest, FailsWhenACategoryHasNoWavFileEvenWithTheOthersFull) {
  test::WriteMinimalBank();
  std::filesystem::remove("SampleBank/Snares/c0.wav");
  test::WriteFile("SampleBank/Snares/readme.txt", "x");
  EXPECT_FALSE(Discover());
  std::filesystem::remove_all("SampleBank/Snares");
  EXPECT_FALSE(Discover());
}

TEST_F(SampleBankTest, TheFolderThatStopsDiscoveryIsNamed) {
  test::WriteMinimalBank();
  std::filesystem::remove("SampleBank/Kick/c3.wav");
  std::string problem;
  EXPECT_FALSE(DiscoverSampleBank(m_bank.get(), &problem));
  EXPECT_EQ(problem, "SampleBank/Kick holds no WAV file");
  std::filesystem::remove_all("SampleBank/Kick");
  EXPECT_FALSE(DiscoverSampleBank(m_bank.get(), &problem));
  EXPECT_EQ(problem, "SampleBank/Kick is missing");
  EXPECT_EQ(LogText(), "Sample bank: SampleBank/Kick holds no WAV file.\nSample bank: SampleBank/Kick is missing.\n");
}

TEST_F(SampleBankTest, TakesExactly512AndRefusesACategoryWithMore) {
  test::WriteMinimalBank();
  for (int i = 1; i < 512; ++i) test::WriteSample(Cymbals, "crash" + std::to_string(1000 + i) + ".wav");
  ASSERT_TRUE(Discover());
  EXPECT_EQ(Bank().count[Cymbals], 512);
  EXPECT_STREQ(Bank().names[512 + 511], "crash1511.wav");

  test::WriteSample(Cymbals, "extra.wav");
  EXPECT_FALSE(Discover());
  EXPECT_EQ(LogText(), "Sample bank: SampleBank\\Cymbals\\ holds more than 512 WAV files.\n");
}

TEST_F(SampleBankTest, LeavesOutAFileWhosePathWouldNotFitItsField) {
  test::WriteMinimalBank();
  const std::string fits(195 - 18 - 4, 'a'), tooLong(195 - 18 - 3, 'b');  // "SampleBank\Snares\" is 18
  test::WriteSample(Snares, fits + ".wav");
  test::WriteSample(Snares, tooLong + ".wav");
  ASSERT_TRUE(Discover());
  EXPECT_EQ(Bank().count[Snares], 2);
  EXPECT_EQ(std::string(Bank().paths[0]).size(), 195u);
  EXPECT_EQ(LogText(),
            "Sample bank: SampleBank\\Snares\\" + tooLong + ".wav left out: the path is longer than 195 characters.\n");
}

TEST_F(SampleBankTest, FindsPathsIgnoringCaseAmongExistingEntriesOnly) {
  test::WriteMinimalBank();
  test::WriteSamples(TomToms, {"Tom1.wav", "tom2.wav"});
  ASSERT_TRUE(Discover());
  EXPECT_EQ(FindSampleByPath(Bank(), "samplebank\\TOMTOMS\\TOM2.WAV"), 2 * 512 + 2);
  EXPECT_EQ(FindSampleByPath(Bank(), "SampleBank\\TomToms\\tom3.wav"), kNoSample);
  EXPECT_EQ(FindSampleByPath(Bank(), ""), kNoSample);  // the empty entries past each count take no part
}

// Assigning and stepping samples, seen through the sound slots they load.
class PadAssignmentTest : public SampleBankTest {
 protected:
  void SetUp() override {
    SampleBankTest::SetUp();
    test::WriteMinimalBank();
    test::WriteSamples(Snares, {"s1.wav", "s2.wav"});  // snares: c0, s1, s2
    ASSERT_TRUE(Discover());
  }
  test::FakeSound m_sound;
  PadAssignment m_pads;
};

TEST_F(PadAssignmentTest, AssigningLoadsThePrimaryOrSecondarySlotAndNoneLoadsNothing) {
  AssignPadSample(&m_pads, Bank(), 3, PrimarySample, 1);
  AssignPadSample(&m_pads, Bank(), 3, SecondarySample, 4 * 512);
  AssignPadSample(&m_pads, Bank(), 7, PrimarySample, kNoSample);
  AssignPadSample(&m_pads, Bank(), 8, PrimarySample, 3);  // past the snares' count: no sample
  EXPECT_EQ(m_sound.Log(), "load 3 SampleBank\\Snares\\s1.wav\nload 13 SampleBank\\Other\\c4.wav\n");
  EXPECT_EQ(m_pads.primary[3], 1);
  EXPECT_EQ(m_pads.secondary[3], 2048);
  EXPECT_EQ(m_pads.primary[7], kNoSample);
  EXPECT_EQ(m_pads.primary[8], kNoSample);
}

TEST_F(PadAssignmentTest, SteppingWrapsAtBothEndsOfTheCategory) {
  StepPadSample(&m_pads, Bank(), 2, PrimarySample, Snares, 3);  // one past the last
  EXPECT_EQ(m_pads.primary[2], 0);
  StepPadSample(&m_pads, Bank(), 2, PrimarySample, Snares, -1);
  EXPECT_EQ(m_pads.primary[2], 2);
  StepPadSample(&m_pads, Bank(), 2, SecondarySample, Kick, 3 * 512 - 1);  // before the first kick
  EXPECT_EQ(m_pads.secondary[2], 3 * 512);
  StepPadSample(&m_pads, Bank(), 2, SecondarySample, Kick, 3 * 512 + 1);
  EXPECT_EQ(m_pads.secondary[2], 3 * 512);
  EXPECT_EQ(m_sound.Log(),
            "stop 2\nload 2 SampleBank\\Snares\\c0.wav\n"
            "stop 2\nload 2 SampleBank\\Snares\\s2.wav\n"
            "stop 12\nload 12 SampleBank\\Kick\\c3.wav\n"
            "stop 12\nload 12 SampleBank\\Kick\\c3.wav\n");
}

TEST_F(PadAssignmentTest, NoneSilencesASlotThatHeldASampleAndForgetsItsPath) {
  AssignPadSample(&m_pads, Bank(), 3, PrimarySample, 1);
  AssignPadSample(&m_pads, Bank(), 3, PrimarySample, kNoSample);
  EXPECT_EQ(m_sound.Log(), "load 3 SampleBank\\Snares\\s1.wav\nstop 3\n");
  EXPECT_STREQ(PadSamplePath(m_pads, 3, PrimarySample), "");
}

// Playback's switch to a recording's pads and back.
TEST_F(PadAssignmentTest, SwitchingLoadsOnlyTheSamplesThatDifferAndSilencesTheOnesGone) {
  PadAssignment user, take;
  AssignPadSample(&user, Bank(), 0, PrimarySample, 1);
  AssignPadSample(&user, Bank(), 3, SecondarySample, 4 * 512);
  AssignPadSample(&take, Bank(), 0, PrimarySample, 1);
  AssignPadSample(&take, Bank(), 5, PrimarySample, 2);
  m_sound.Clear();
  SwitchPadSounds(user, take, Bank());
  EXPECT_EQ(m_sound.Log(), "stop 13\nload 5 SampleBank\\Snares\\s2.wav\n");
  m_sound.Clear();
  SwitchPadSounds(take, user, Bank());
  EXPECT_EQ(m_sound.Log(), "load 13 SampleBank\\Other\\c4.wav\nstop 5\n");
}

}  // namespace
