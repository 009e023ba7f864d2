#include "backline/pads/layer_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/engine_fixture.h"

namespace {

const char kHeading[] = "Padlark velocity layers 1\n";
const char kKickLayers[] =
    "pad 4 SampleBank\\Kick\\Kit - Kick 3.wav\n"
    "layer 0 0.3 SampleBank\\Kick\\Kit - Kick 1.wav\n"
    "layer 0.3 0.7 SampleBank\\Kick\\Kit - Kick 2.wav\n"
    "layer 0.7 1 SampleBank\\Kick\\Kit - Kick 3.wav\n";

// What ParseLayerFile says of text: "" when it reads it.
std::string Problem(const std::string& text) {
  auto sets = std::make_unique<PadLayerSets>();
  std::string why;
  return ParseLayerFile(text, sets.get(), &why) ? "" : why;
}

TEST(LayerFileTest, AFileReadsBackToTheSameTextWithCommentsAndWindowsLineEndsAllowed) {
  auto sets = std::make_unique<PadLayerSets>();
  std::string why;
  const std::string text = std::string(kHeading) + "# the kick\r\n" + kKickLayers + "\n";
  ASSERT_TRUE(ParseLayerFile(text, sets.get(), &why)) << why;
  EXPECT_EQ(sets->sets[4].count, 3);
  EXPECT_STREQ(sets->sets[4].sample, "SampleBank\\Kick\\Kit - Kick 3.wav");
  EXPECT_FLOAT_EQ(sets->sets[4].layers[1].range.min, 0.3f);
  EXPECT_STREQ(sets->sets[4].layers[2].path, "SampleBank\\Kick\\Kit - Kick 3.wav");
  EXPECT_EQ(sets->sets[0].count, 0);
  EXPECT_EQ(FormatLayerFile(*sets), std::string(kHeading) + kKickLayers);
}

TEST(LayerFileTest, ADamagedFileIsRefusedWithTheLineAndWhatIsWrongAndChangesNothing) {
  EXPECT_EQ(Problem(""), "it is not a layers file (its first line is not \"Padlark velocity layers 1\")");
  EXPECT_EQ(Problem("PR03"), "it is not a layers file (its first line is not \"Padlark velocity layers 1\")");
  EXPECT_EQ(Problem("Padlark velocity layers 2\n"), "it is of version 2, which this program cannot read");
  EXPECT_EQ(Problem(std::string(kHeading) + "layer 0 1 a.wav\n"), "line 2: a layer comes before any pad");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 20 a.wav\nlayer 0 1 a.wav\n"),
            "line 2: pad 20 is not a pad sound (0 to 19)");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 a.wav\nlayer 0.8 0.3 a.wav\n"),
            "line 3: the velocity range is not one within 0 to 1, its minimum first");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 a.wav\nlayer 0 1.5 a.wav\n"),
            "line 3: the velocity range is not one within 0 to 1, its minimum first");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 a.wav\nlayer nan 1 a.wav\n"),
            "line 3: the velocity range is not one within 0 to 1, its minimum first");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 a.wav\nlayer 0 1\n"),
            "line 3: a layer line is \"layer <min> <max> <path>\"");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 a.wav\npad 4 b.wav\nlayer 0 1 b.wav\n"),
            "line 2: pad 3 has no layer");
  EXPECT_EQ(Problem(std::string(kHeading) + kKickLayers + "pad 4 b.wav\n"), "line 6: pad 4 comes twice");
  EXPECT_EQ(Problem(std::string(kHeading) + "pad 3 " + std::string(196, 'a') + "\n"),
            "line 2: the path is longer than 195 characters");
  EXPECT_EQ(Problem(std::string(kHeading) + "volume 3 0.5\n"),
            "line 2: \"volume\" is not a statement of a layers file");
  std::string seventeen = std::string(kHeading) + "pad 0 a.wav\n";
  for (int layer = 0; layer < 17; ++layer) seventeen += "layer 0 1 a.wav\n";
  EXPECT_EQ(Problem(seventeen), "line 19: pad 0 has more than 16 layers");
  auto sets = std::make_unique<PadLayerSets>();
  sets->sets[2].count = 1;
  std::string why;
  EXPECT_FALSE(ParseLayerFile(std::string(kHeading) + "pad 3 a.wav\n", sets.get(), &why));
  EXPECT_EQ(sets->sets[2].count, 1);
  EXPECT_EQ(sets->sets[3].count, 0);
}

class LayerFileOnDiskTest : public test::EngineFixture {};

TEST_F(LayerFileOnDiskTest, ItLivesBesideItsPresetAndIsRemovedWhenNoPadHasLayers) {
  EXPECT_EQ(LayerFilePath("Presets\\rock.preset"), "Presets\\rock.layers");
  EXPECT_EQ(LayerFilePath("presets/v1.2/kit"), "presets/v1.2/kit.layers");
  auto sets = std::make_unique<PadLayerSets>();
  std::string why;
  ASSERT_TRUE(ReadLayerFile("presets\\rock.preset", sets.get(), &why));  // none: no layers
  std::string text = std::string(kHeading) + kKickLayers;
  ASSERT_TRUE(ParseLayerFile(text, sets.get(), &why));
  ASSERT_TRUE(WriteLayerFile("presets\\rock.preset", *sets));
  EXPECT_EQ(test::ReadFile("presets/rock.layers"), text);
  auto read = std::make_unique<PadLayerSets>();
  ASSERT_TRUE(ReadLayerFile("Presets\\Rock.preset", read.get(), &why));
  EXPECT_EQ(read->sets[4].count, 3);
  ASSERT_TRUE(WriteLayerFile("presets\\rock.preset", PadLayerSets{}));
  EXPECT_FALSE(std::filesystem::exists("presets/rock.layers"));
}

TEST_F(LayerFileOnDiskTest, ADamagedFileOnDiskIsLoggedAndReadsAsNoLayers) {
  test::WriteFile("presets/rock.layers", std::string(kHeading) + "pad 4 a.wav\nlayer 1 0 a.wav\n");
  auto sets = std::make_unique<PadLayerSets>();
  sets->sets[4].count = 2;
  std::string why;
  EXPECT_FALSE(ReadLayerFile("presets\\rock.preset", sets.get(), &why));
  EXPECT_EQ(why, "line 3: the velocity range is not one within 0 to 1, its minimum first");
  EXPECT_EQ(sets->sets[4].count, 0);
  EXPECT_EQ(LogText(), "layers \"presets\\rock.layers\": " + why + "\n");
  test::WriteFile("presets/big.layers", std::string(kHeading) + std::string(1 << 20, '#'));
  EXPECT_FALSE(ReadLayerFile("presets\\big.preset", sets.get(), &why));
  EXPECT_EQ(why, "the file is larger than 1 MiB, which no layers file is");
}

}  // namespace
