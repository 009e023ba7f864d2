#include "backline/pads/velocity_layers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "backline/pads/pad_hits.h"
#include "backline/pads/strike_path.h"
#include "backline/sound/note.h"
#include "backline/pads/strike_table.h"
#include "basalt/input/key_codes.h"
#include "tests/backline/pads/bank_files.h"
#include "tests/backline/pads/fake_sound.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/input_events.h"

namespace {

constexpr int kKickPad = 4;  // kit 0's bass pedal: pad slot and primary sound slot 4

void SetField(char (&field)[SampleBank::kFieldSize], const char* text) {
  std::memset(field, 0, sizeof field);
  std::strcpy(field, text);
}

void AddLayer(LayerSet* set, float min, float max, const char* path) {
  VelocityLayer& layer = set->layers[set->count++];
  layer.range = {min, max};
  SetField(layer.path, path);
}

TEST(PickLayerTest, AVelocityPlaysTheFirstRangeHoldingItElseTheNearest) {
  const LayerRange overlapping[] = {{0.0f, 0.32f}, {0.30f, 0.68f}, {0.66f, 1.0f}};
  EXPECT_EQ(PickLayer(overlapping, 3, 0.0f), 0);
  EXPECT_EQ(PickLayer(overlapping, 3, 0.31f), 0);  // where two overlap, the first listed
  EXPECT_EQ(PickLayer(overlapping, 3, 0.5f), 1);
  EXPECT_EQ(PickLayer(overlapping, 3, 0.67f), 1);
  EXPECT_EQ(PickLayer(overlapping, 3, 1.0f), 2);
  const LayerRange gapped[] = {{0.2f, 0.4f}, {0.6f, 0.8f}};
  EXPECT_EQ(PickLayer(gapped, 2, 0.0f), 0);   // below every range: the lowest
  EXPECT_EQ(PickLayer(gapped, 2, 0.45f), 0);  // in a gap: the nearer side
  EXPECT_EQ(PickLayer(gapped, 2, 0.55f), 1);
  EXPECT_EQ(PickLayer(gapped, 2, 0.95f), 1);  // above every range: the highest
  EXPECT_EQ(PickLayer(gapped, 2, 7.0f), 1);
  EXPECT_EQ(PickLayer(gapped, 2, -3.0f), 0);
  EXPECT_EQ(PickLayer(gapped, 2, std::nanf("")), 1);  // no velocity at all is a full strike
}

// Three kick layers loaded onto the bass pedal's primary sound, over a sound
// back end that writes down what it is asked.
class VelocityLayersTest : public test::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    test::WriteMinimalBank();
    test::WriteSamples(Kick, {"kick soft.wav", "kick mid.wav", "kick hard.wav", "other kick.wav"});
    ASSERT_TRUE(DiscoverSampleBank(m_bank.get()));
    SetField(m_pads.path[kKickPad][PrimarySample], "SampleBank\\Kick\\kick hard.wav");
    m_pads.primary[kKickPad] = FindSampleByPath(*m_bank, "SampleBank\\Kick\\kick hard.wav");
    LayerSet& set = m_sets->sets[kKickPad];
    SetField(set.sample, "SampleBank\\Kick\\KICK HARD.wav");  // the pad's sample, spelled in another case
    AddLayer(&set, 0.0f, 0.3f, "SampleBank\\Kick\\kick soft.wav");
    AddLayer(&set, 0.3f, 0.7f, "SampleBank\\Kick\\kick mid.wav");
    AddLayer(&set, 0.7f, 1.0f, "SampleBank\\Kick\\kick hard.wav");
  }

  test::FakeSound m_sound;
  std::unique_ptr<SampleBank> m_bank = std::make_unique<SampleBank>();
  std::unique_ptr<PadLayerSets> m_sets = std::make_unique<PadLayerSets>();
  PadAssignment m_pads;
  PadVolumes m_volumes;
  VelocityLayers m_layers;
};

TEST_F(VelocityLayersTest, EachLayerIsLoadedIntoASlotOfItsOwnAndAStrikePicksByVelocity) {
  m_layers.Load(*m_sets, *m_bank, "test.layers");
  EXPECT_EQ(m_sound.Log(),
            "load 85 SampleBank\\Kick\\kick soft.wav\nload 86 SampleBank\\Kick\\kick mid.wav\n"
            "load 87 SampleBank\\Kick\\kick hard.wav\n");
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, kKickPad, 0.1f), LayerSoundSlotOf(kKickPad, 0));
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, kKickPad, 0.5f), LayerSoundSlotOf(kKickPad, 1));
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, kKickPad, 0.9f), LayerSoundSlotOf(kKickPad, 2));
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, 0, 0.1f), 0);  // a pad without layers plays its own slot
}

TEST_F(VelocityLayersTest, LayersApplyOnlyWhileThePadPlaysTheSampleTheyBelongTo) {
  m_layers.Load(*m_sets, *m_bank, "test.layers");
  PadAssignment other = m_pads;
  SetField(other.path[kKickPad][PrimarySample], "SampleBank\\Kick\\other kick.wav");
  other.primary[kKickPad] = FindSampleByPath(*m_bank, "SampleBank\\Kick\\other kick.wav");
  EXPECT_EQ(m_layers.ApplyingCount(other, kKickPad), 0);
  EXPECT_EQ(m_layers.SoundSlotFor(other, kKickPad, 0.1f), kKickPad);
  EXPECT_EQ(m_layers.Applying(other).sets[kKickPad].count, 0);
  PadAssignment missing = m_pads;
  missing.primary[kKickPad] = kNoSample;  // the pad's sample is no longer in the bank: silent, and so its layers
  EXPECT_EQ(m_layers.ApplyingCount(missing, kKickPad), 0);
  EXPECT_EQ(m_layers.Applying(m_pads).sets[kKickPad].count, 3);
}

TEST_F(VelocityLayersTest, ALayerTheBankDoesNotHoldIsLeftOutAndClearingReleasesEverySlot) {
  SetField(m_sets->sets[kKickPad].layers[1].path, "SampleBank\\Kick\\gone.wav");
  m_layers.Load(*m_sets, *m_bank, "kit.layers");
  EXPECT_EQ(m_layers.Set(kKickPad).count, 2);
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, kKickPad, 0.5f), LayerSoundSlotOf(kKickPad, 0));  // the nearest left
  EXPECT_NE(LogText().find("kit.layers: the velocity layer \"SampleBank\\Kick\\gone.wav\" is not in the sample bank"),
            std::string::npos);
  m_sound.Clear();
  m_layers.Clear();
  EXPECT_EQ(m_sound.Log(), "stop 85\nstop 86\n");
  EXPECT_EQ(m_layers.SoundSlotFor(m_pads, kKickPad, 0.1f), kKickPad);
}

TEST_F(VelocityLayersTest, TheInputThreadAndTheMainThreadPlayTheLayerAFullStrikeFallsIn) {
  m_layers.Load(*m_sets, *m_bank, "test.layers");
  StrikeTable table;
  table.PublishLayers(m_layers, m_pads);
  EXPECT_EQ(table.SoundSlotFor(kKickPad, 0.2f), LayerSoundSlotOf(kKickPad, 0));
  EXPECT_EQ(table.SoundSlotFor(kKickPad, 0.6f), LayerSoundSlotOf(kKickPad, 1));
  EXPECT_EQ(table.SoundSlotFor(3, 0.2f), 3);
  PadMap map;
  table.Publish(map, m_pads, m_volumes, true);
  StrikePath path(table);
  m_sound.Clear();
  path.OnInputEvent(test::MakeInputEvent(Basalt::InputEvent::KeyDown, -1, Basalt::DIK_X, 10 * Basalt::kNsPerMs));
  StrikePadSlot(kKickPad, false, {m_pads, m_volumes, m_layers}, 20 * Basalt::kNsPerMs, kFullVelocity);
  EXPECT_EQ(m_sound.Played(), "87 87");           // the key and the preview: the hard layer
  table.PublishLayers(VelocityLayers(), m_pads);  // the layers gone: the pad's own slot
  EXPECT_EQ(table.SoundSlotFor(kKickPad, 0.2f), kKickPad);
}

}  // namespace
