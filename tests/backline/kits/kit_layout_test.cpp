#include "backline/kits/kit_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The names a kit's instruments go by on the pads: "<primary>/<secondary>"
// for each pad slot, "-" for none.
std::string Layout(const std::vector<std::string>& names) {
  std::vector<DrumPiece> pieces;
  for (const std::string& name : names) pieces.push_back(PieceOfInstrument(name));
  const KitLayout layout = LayOutKit(pieces);
  std::string text;
  for (int padSlot = 0; padSlot < kPadSlots; ++padSlot) {
    const int primary = layout[static_cast<size_t>(padSlot)], secondary = layout[static_cast<size_t>(padSlot + 10)];
    text += (primary < 0 ? "-" : names[static_cast<size_t>(primary)]) + "/" +
            (secondary < 0 ? "-" : names[static_cast<size_t>(secondary)]) +
            (padSlot == 4  ? " | "
             : padSlot < 9 ? ", "
                           : "");
  }
  return text;
}

TEST(DrumRolesTest, InstrumentNamesOfRealKitsTellTheirRoleAndCategory) {
  const std::pair<const char*, DrumRole> names[] = {{"Kick", DrumRole::Kick},
                                                    {"BassDrum", DrumRole::Kick},
                                                    {"c3 - bass drum 1", DrumRole::Kick},
                                                    {"Pearl Snare", DrumRole::Snare},
                                                    {"Snare1", DrumRole::Snare},
                                                    {"Pearl Side Stick", DrumRole::SideStick},
                                                    {"Snare Rimshot", DrumRole::SideStick},
                                                    {"tomhi4", DrumRole::Tom},
                                                    {"Pearl Tom Floor", DrumRole::Tom},
                                                    {"Closed HH", DrumRole::HiHatClosed},
                                                    {"Sabian Hat Semi-Open", DrumRole::HiHatOpen},
                                                    {"VariBreaks Hat 1 Pd", DrumRole::HiHatPedal},
                                                    {"Side OHH", DrumRole::HiHatOpen},
                                                    {"crash16inch", DrumRole::Crash},
                                                    {"Paiste Ride Flink", DrumRole::Ride},
                                                    {"Zildjian Splash", DrumRole::Cymbal},
                                                    {"Paiste Bell", DrumRole::Cymbal},
                                                    {"Cowbell", DrumRole::Other},
                                                    {"Hand Clap", DrumRole::Clap},
                                                    {"Sangban1 Head Hit", DrumRole::Other},
                                                    {"17", DrumRole::Other}};
  for (const auto& [name, role] : names) EXPECT_EQ(PieceOfInstrument(name).role, role) << name;
  EXPECT_EQ(CategoryOfRole(DrumRole::SideStick), Snares);
  EXPECT_EQ(CategoryOfRole(DrumRole::HiHatPedal), Cymbals);
  EXPECT_EQ(CategoryOfRole(DrumRole::Clap), Other);
  EXPECT_LT(PieceOfInstrument("Tom Hi").rank, PieceOfInstrument("Tom Mid").rank);
  EXPECT_LT(PieceOfInstrument("Tom Low").rank, PieceOfInstrument("Floor Tom").rank);
  EXPECT_LT(PieceOfInstrument("Snare Rock").rank, PieceOfInstrument("Snare Roll").rank);
}

TEST(KitLayoutTest, AFullKitGoesWhereADrummerLooksForIt) {
  EXPECT_EQ(Layout({"Snare Roll", "Kick", "Tom Low", "Stick", "Snare", "Tom Hi", "Closed HH", "Open HH", "Crash",
                    "Ride", "Pedal HH", "Floor Tom", "Cowbell"}),
            "Snare/Stick, Tom Hi/Floor Tom, Tom Low/Ride, Closed HH/Crash, Kick/Pedal HH | "
            "Snare Roll/Cowbell, Open HH/-, Tom Low/-, Closed HH/-, Kick/-");
}

TEST(KitLayoutTest, AKitWithoutTomsOrSecondKitSoundsFillsThePadsItCan) {
  EXPECT_EQ(Layout({"Kick 1", "Kick 2", "Snare", "Hat Closed", "Clap"}),
            "Snare/-, Clap/-, -/-, Hat Closed/-, Kick 1/Kick 2 | Snare/-, Clap/-, -/-, Hat Closed/-, Kick 1/-");
  EXPECT_EQ(Layout({"Conga", "Bongo"}), "Bongo/-, -/-, -/-, -/-, Conga/- | Bongo/-, -/-, -/-, -/-, Conga/-");
}

}  // namespace
