#include "backline/recording/player.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/backline/pads/fake_sound.h"

namespace {

constexpr int kSnare = 0, kPedal = 4;

// The player's frames over a recording, with what each frame played.
class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_assignment.primary[kSnare] = 0;
    m_assignment.secondary[kSnare] = 1;
    m_recording.pads[kPedal].enablesSecondaries = true;
  }
  // The sound slots played by the frame at elapsed ms.
  std::string Frame(uint32_t elapsed) {
    m_sound.Clear();
    FrameStrikes strikes;
    PlayDueEvents(&m_player, m_recording, elapsed, m_assignment, m_volumes, &m_secondariesHeld, &strikes);
    return m_sound.Played();
  }

  test::FakeSound m_sound;
  plrInfo m_recording;
  Player m_player;
  PadAssignment m_assignment;
  PadVolumes m_volumes;
  bool m_secondariesHeld = false;
};

TEST_F(PlayerTest, EventsSharingATimePlayOnConsecutiveFramesFromTheFirstOneDue) {
  m_recording.tracks[kSnare] = {1000, 1000, 1000};
  EXPECT_EQ(Frame(990), "");
  EXPECT_EQ(Frame(1005), "0");
  EXPECT_EQ(Frame(1021), "0");
  EXPECT_EQ(Frame(1037), "0");
  EXPECT_EQ(Frame(1053), "");
}

TEST_F(PlayerTest, ThePedalsEventsSwitchThePadsToTheirSecondariesAndBack) {
  m_recording.tracks[kPedal] = {100, 600};
  m_recording.tracks[kSnare] = {300, 700};
  std::string played;
  for (uint32_t elapsed = 0; elapsed <= 800; elapsed += 100) played += Frame(elapsed) + "|";
  EXPECT_EQ(played, "|4||10||||0||");  // the pedal's press is heard, its release is not
  EXPECT_FALSE(m_secondariesHeld);
}

TEST_F(PlayerTest, AVersion2PedalIsNotHeard) {
  m_recording.version = 2;
  m_recording.tracks[kPedal] = {100, 600};
  m_recording.tracks[kSnare] = {300};
  std::string played;
  for (uint32_t elapsed = 0; elapsed <= 700; elapsed += 100) played += Frame(elapsed);
  EXPECT_EQ(played, "10");
}

TEST(PlayerVolumesTest, TheStoredOrderWinsForTheRepeatedSlotsAndValuesAreClamped) {
  plrInfo recording;
  for (int k = 0; k < kPlrVolumes; ++k) recording.volumes[k] = 0.05f * static_cast<float>(k);
  recording.volumes[0] = 3.0f;
  PadVolumes volumes;
  ApplyRecordingVolumes(recording, &volumes);
  EXPECT_EQ(volumes.volume[0], 1.0f);
  EXPECT_FLOAT_EQ(volumes.volume[5], 0.5f);    // entry 10, not entry 5
  EXPECT_FLOAT_EQ(volumes.volume[14], 0.95f);  // entry 19
  EXPECT_EQ(volumes.volume[15], 1.0f);         // never stored
}

}  // namespace
