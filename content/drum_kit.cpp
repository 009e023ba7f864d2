// The kit, seen from the drummer's seat (the camera looks along +z, tilted
// down): bass drum at the centre with its pedal toward the drummer, the snare
// at the left, two toms on the bass drum, the floor tom at the right, the
// hi-hat far left, crash and ride cymbals behind. One unit is about 4 inches.
// Two kits stand side by side, turned toward each other, slightly smaller.
#include "content/drum_kit.h"

#include <cmath>
#include <string>

namespace content {

namespace {

constexpr int kSegments = 40;

enum Decoration {
  kShell,
  kHoopRed,
  kHoopYellow,
  kHoopBlue,
  kHoopGreen,
  kHoopOrange,
  kBassHead,
  kCymbal,
  kChrome,
  kCount
};
const char* const kDecorationMaterials[kCount] = {"DrumShell",  "HoopRed",  "HoopYellow", "HoopBlue", "HoopGreen",
                                                  "HoopOrange", "BassHead", "Cymbal",     "Chrome"};

struct Drum {
  Vec3 head;  // centre of the batter head
  float radius, depth, tilt;
  Decoration hoop;
};

// Pads 0..3: the snare, two toms and the floor tom.
const Drum kPadDrums[4] = {
    {{-5.5f, 7.2f, 4.2f}, 1.75f, 0.9f, -0.12f, kHoopRed},
    {{-2.1f, 9.6f, 6.0f}, 1.5f, 1.6f, -0.35f, kHoopYellow},
    {{2.1f, 9.6f, 6.0f}, 1.5f, 1.6f, -0.35f, kHoopBlue},
    {{5.4f, 6.8f, 5.0f}, 2.0f, 3.0f, 0.0f, kHoopGreen},
};
const Drum kBassDrum = {{0.0f, 2.9f, 4.8f}, 2.9f, 4.0f, -1.5707963f, kHoopOrange};
const Vec3 kPedalCentre = {0.0f, 0.4f, 2.8f};

Placement At(const Drum& drum, const Placement& kit) {
  Placement local;
  local.offset = drum.head;
  local.tiltX = drum.tilt;
  return local.Then(kit);
}

void AddDrum(const Drum& drum, const Placement& kit, MeshPart* head, std::vector<MeshPart>* decor) {
  const Placement where = At(drum, kit);
  head->Disc(drum.radius, 0.0f, kSegments, where);
  MeshPart& shell = (*decor)[kShell];
  shell.Tube(drum.radius * 0.99f, -drum.depth, -0.05f, kSegments, where);
  shell.Disc(drum.radius * 0.99f, -drum.depth, kSegments, where, false);
  MeshPart& hoop = (*decor)[drum.hoop];
  for (float y : {0.0f, -drum.depth}) {
    hoop.Tube(drum.radius * 1.05f, y - 0.14f, y + 0.1f, kSegments, where);
    hoop.Tube(drum.radius * 1.0f, y, y + 0.1f, kSegments, where, true);
  }
}

void AddPedal(const Placement& kit, MeshPart* pedal, MeshPart* chrome) {
  Placement board;
  board.offset = {0.0f, 0.12f, 1.4f};
  board.tiltX = -0.25f;
  pedal->Box({-0.45f, 0.0f, 0.0f}, {0.45f, 0.14f, 2.8f}, board.Then(kit));
  pedal->Box({-0.35f, 2.3f, 4.25f}, {0.35f, 2.9f, 4.7f}, kit);  // the beater
  chrome->Rod({0.0f, 0.8f, 4.1f}, {0.0f, 2.4f, 4.5f}, 0.06f, kit);
  chrome->Box({-0.7f, 0.0f, 3.9f}, {0.7f, 0.9f, 4.2f}, kit);
}

void AddCymbal(Vec3 centre, float radius, float tilt, const Placement& kit, std::vector<MeshPart>* decor) {
  Placement where;
  where.offset = centre;
  where.tiltX = tilt;
  (*decor)[kCymbal].Cymbal(radius, 0.35f, kSegments, where.Then(kit));
  (*decor)[kChrome].Rod({centre.x, 0.0f, centre.z + 0.6f}, {centre.x, centre.y - 0.1f, centre.z}, 0.09f, kit);
}

void AddTripod(Vec3 foot, float height, const Placement& kit, MeshPart* chrome) {
  for (int leg = 0; leg < 3; ++leg) {
    const float angle = 2.0944f * static_cast<float>(leg) + 0.5f;
    chrome->Rod({foot.x + std::cos(angle) * 1.1f, 0.0f, foot.z + std::sin(angle) * 1.1f}, {foot.x, height, foot.z},
                0.06f, kit);
  }
}

void AddKit(const Placement& kit, MeshPart* pads, std::vector<MeshPart>* decor) {
  for (int pad = 0; pad < 4; ++pad) AddDrum(kPadDrums[pad], kit, &pads[pad], decor);
  MeshPart& chrome = (*decor)[kChrome];
  // The bass drum: its batter head faces the drummer; its front head is the bass head.
  const Placement bass = At(kBassDrum, kit);
  (*decor)[kBassHead].Disc(kBassDrum.radius, 0.0f, kSegments, bass);
  (*decor)[kBassHead].Disc(kBassDrum.radius, -kBassDrum.depth, kSegments, bass, false);
  (*decor)[kShell].Tube(kBassDrum.radius * 0.99f, -kBassDrum.depth, -0.05f, kSegments, bass);
  for (float y : {0.0f, -kBassDrum.depth})
    (*decor)[kHoopOrange].Tube(kBassDrum.radius * 1.05f, y - 0.2f, y + 0.15f, kSegments, bass);
  AddPedal(kit, &pads[4], &chrome);
  // Stands and mounts.
  AddTripod({-5.5f, 0.0f, 4.4f}, 6.0f, kit, &chrome);
  chrome.Rod({-5.5f, 6.0f, 4.4f}, {-5.5f, 6.4f, 4.3f}, 0.08f, kit);
  for (int tom = 1; tom <= 2; ++tom) {
    const Vec3 head = kPadDrums[tom].head;
    chrome.Rod({head.x * 0.3f, 5.7f, 6.6f}, {head.x, head.y - 1.2f, head.z + 0.5f}, 0.1f, kit);
  }
  for (int leg = 0; leg < 3; ++leg) {
    const float angle = 2.0944f * static_cast<float>(leg) + 0.3f;
    const Vec3 top = {5.4f + std::cos(angle) * 2.15f, 5.9f, 5.0f + std::sin(angle) * 2.15f};
    chrome.Rod({top.x + std::cos(angle) * 0.4f, 0.0f, top.z + std::sin(angle) * 0.4f}, top, 0.07f, kit);
  }
  // The hi-hat: a pair of small cymbals on a tripod with its own pedal.
  AddTripod({-8.3f, 0.0f, 3.6f}, 2.5f, kit, &chrome);
  chrome.Rod({-8.3f, 0.0f, 3.6f}, {-8.3f, 8.3f, 3.6f}, 0.07f, kit);
  Placement hiHat;
  hiHat.offset = {-8.3f, 8.0f, 3.6f};
  (*decor)[kCymbal].Cymbal(1.6f, 0.2f, kSegments, hiHat.Then(kit));
  hiHat.offset.y = 8.3f;
  (*decor)[kCymbal].Cymbal(1.6f, 0.2f, kSegments, hiHat.Then(kit));
  AddCymbal({-5.2f, 12.6f, 9.4f}, 2.4f, -0.3f, kit, decor);  // crash
  AddCymbal({7.6f, 11.2f, 8.6f}, 2.7f, -0.25f, kit, decor);  // ride
  AddTripod({-5.2f, 0.0f, 10.0f}, 3.0f, kit, &chrome);
  AddTripod({7.6f, 0.0f, 9.2f}, 3.0f, kit, &chrome);
}

std::vector<Placement> KitPlacements(int kits) {
  if (kits < 2) return {Placement{}};
  Placement left, right;
  left.scale = right.scale = 0.85f;
  left.turnY = -0.45f;
  right.turnY = 0.45f;
  left.offset = {-5.85f, 0.0f, 1.2f};
  right.offset = {5.85f, 0.0f, 1.2f};
  return {left, right};
}

}  // namespace

std::vector<MeshPart> BuildDrumSet(int kits) {
  std::vector<MeshPart> pads;
  for (int slot = 0; slot < 10; ++slot) pads.emplace_back(slot % 5 == 4 ? "Pedal" : "DrumHead");
  std::vector<MeshPart> decor;
  for (const char* material : kDecorationMaterials) decor.emplace_back(material);
  const std::vector<Placement> placements = KitPlacements(kits);
  for (size_t k = 0; k < placements.size(); ++k) AddKit(placements[k], &pads[k * 5], &decor);
  if (placements.size() < 2)
    for (int slot = 5; slot < 10; ++slot) pads[slot].Degenerate();
  pads.insert(pads.end(), decor.begin(), decor.end());
  return pads;
}

std::vector<Vec3> PadCentres(int kits) {
  std::vector<Vec3> centres;
  for (const Placement& kit : KitPlacements(kits)) {
    for (const Drum& drum : kPadDrums) centres.push_back(kit.Apply(drum.head));
    centres.push_back(kit.Apply(kPedalCentre));
  }
  return centres;
}

std::vector<MeshPart> BuildNoteButton() {
  MeshPart note("DrumHead");
  note.Tube(1.6f, 0.0f, 0.5f, kSegments, Placement{});
  note.Disc(1.6f, 0.5f, kSegments, Placement{});
  return {note};
}

std::vector<MeshPart> BuildBassBar() {
  MeshPart bar("Pedal");
  bar.Box({-8.0f, 0.0f, -0.4f}, {8.0f, 0.3f, 0.4f}, Placement{});
  return {bar};
}

}  // namespace content
