#include "backline/kits/drumkit_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/kit_folder.h"

namespace {

using test::InstrumentXml;
using test::KitXml;
using test::LayerXml;

// What ParseDrumKitFile says of text: "" when it reads it.
std::string Problem(const std::string& text) {
  DrumKitFile kit;
  std::string why;
  return ParseDrumKitFile(text, &kit, &why) ? "" : why;
}

TEST(DrumKitFileTest, LayersAreReadFromInstrumentsFromTheirComponentsAndFromTheOldestKitsFilename) {
  const std::string text = KitXml(
      "Mixed", InstrumentXml(0, "Kick", LayerXml("k1.flac", "0", "0.4") + LayerXml("k2.flac", " 0.4 ", "1"), 0.7f) +
                   InstrumentXml(1, "Snare",
                                 "<instrumentComponent><drumkitComponent>0</drumkitComponent>" +
                                     LayerXml("s.wav", "0", "1") + "</instrumentComponent>") +
                   "  <instrument><id>2</id><filename>old.flac</filename><name>Old Tom</name></instrument>\n" +
                   InstrumentXml(3, "", "") + "  <instrument><id>4</id><name>Empty</name></instrument>\n");
  DrumKitFile kit;
  std::string why;
  ASSERT_TRUE(ParseDrumKitFile(text, &kit, &why)) << why;
  EXPECT_EQ(kit.name, "Mixed");
  ASSERT_EQ(kit.instruments.size(), 5u);
  EXPECT_EQ(kit.instruments[0].name, "Kick");
  EXPECT_FLOAT_EQ(kit.instruments[0].volume, 0.7f);
  ASSERT_EQ(kit.instruments[0].layers.size(), 2u);
  EXPECT_EQ(kit.instruments[0].layers[1].file, "k2.flac");
  EXPECT_FLOAT_EQ(kit.instruments[0].layers[1].min, 0.4f);
  EXPECT_EQ(kit.instruments[1].layers.size(), 1u);
  ASSERT_EQ(kit.instruments[2].layers.size(), 1u);
  EXPECT_EQ(kit.instruments[2].layers[0].file, "old.flac");
  EXPECT_FLOAT_EQ(kit.instruments[2].layers[0].max, 1.0f);
  EXPECT_EQ(kit.instruments[3].name, "Instrument 3");
  EXPECT_TRUE(kit.instruments[4].layers.empty());
}

TEST(DrumKitFileTest, APrefixedNamespaceReadsLikeNone) {
  DrumKitFile kit;
  std::string why;
  ASSERT_TRUE(ParseDrumKitFile(
      "<dk:drumkit_info xmlns:dk=\"urn:example:drumkit\"><dk:name>P</dk:name><dk:instrumentList><dk:instrument>"
      "<dk:name>Ride</dk:name><dk:layer><dk:filename>r.wav</dk:filename></dk:layer></dk:instrument>"
      "</dk:instrumentList></dk:drumkit_info>",
      &kit, &why))
      << why;
  EXPECT_EQ(kit.instruments.at(0).layers.at(0).file, "r.wav");
}

TEST(DrumKitFileTest, ADamagedFileIsRefusedWithItsLineAndWhatIsWrong) {
  EXPECT_EQ(Problem("<drumkit_info><name>x</name"), "line 1: it is not well-formed XML (XML_ERROR_PARSING_ELEMENT)");
  EXPECT_EQ(Problem("<song><name>x</name></song>"),
            "it is not a drum kit: its first element is <song>, not <drumkit_info>");
  EXPECT_EQ(Problem(KitXml("None", "")), "it lists no instrument with a sample");
  EXPECT_EQ(Problem(KitXml("Unused", InstrumentXml(0, "Kick", ""))), "it lists no instrument with a sample");
  const std::string bad = KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("k.flac", "0.8", "0.3")));
  EXPECT_EQ(Problem(bad), "line 17: the velocity range 0.8 to 0.3 is not one within 0 to 1, its minimum first");
  EXPECT_EQ(Problem(KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("k.flac", "0", "1.2")))),
            "line 17: the velocity range 0 to 1.2 is not one within 0 to 1, its minimum first");
  EXPECT_EQ(Problem(KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("k.flac", "0", "loud")))),
            "line 20: <max> \"loud\" is not a number");
  EXPECT_EQ(Problem(KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("", "0", "1")))),
            "line 17: a layer names no <filename>");
  EXPECT_EQ(Problem(KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("/etc/passwd", "0", "1")))),
            "line 17: the layer's file \"/etc/passwd\" is not inside the kit's folder");
  EXPECT_EQ(Problem(KitXml("Bad", InstrumentXml(0, "Kick", LayerXml("k.flac", "0", "1"), -1.0f))),
            "line 8: instrument \"Kick\" has a negative volume or gain");
  std::string seventeen;
  for (int layer = 0; layer < 17; ++layer) seventeen += LayerXml("k.flac", "0", "1");
  EXPECT_EQ(Problem(KitXml("Many", InstrumentXml(0, "Kick", seventeen))),
            "line 8: instrument \"Kick\" has 17 layers, more than the 16 a kit may have");
}

}  // namespace
