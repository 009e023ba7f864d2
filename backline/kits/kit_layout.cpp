// Pads are filled in order of how much they are played, each with the first
// piece not yet on a pad among the roles it wishes for (by rank: toms from
// the highest down, plain sounds before their variations, then in the kit's
// order). The first kit's primaries come first: one that no wish fills takes
// any piece still left (a kick only on the pedal) before the other pads
// choose, and when none is left a wished-for piece already on another pad.
// An empty primary of the second kit plays what the first kit's same pad
// plays.
#include "backline/kits/kit_layout.h"

#include <algorithm>
#include <initializer_list>
#include <numeric>

namespace {

using R = DrumRole;

struct Wish {
  int sound;  // pad sound slot
  std::initializer_list<DrumRole> roles;
};

constexpr int Primary(int kit, Pad pad) { return SoundSlotOf(PadSlotOf(kit, pad), PrimarySample); }
constexpr int Secondary(int kit, Pad pad) { return SoundSlotOf(PadSlotOf(kit, pad), SecondarySample); }

const Wish kWishes[] = {
    {Primary(0, BassPedal), {R::Kick}},
    {Primary(0, RedPad), {R::Snare, R::SideStick, R::Clap}},
    {Primary(0, GreenPad), {R::HiHatClosed, R::HiHatOpen, R::Crash, R::Ride, R::Cymbal}},
    {Primary(0, YellowPad), {R::Tom}},
    {Primary(0, BluePad), {R::Tom, R::Ride}},
    {Secondary(0, GreenPad), {R::Crash, R::HiHatOpen, R::Ride, R::Cymbal}},
    {Secondary(0, RedPad), {R::SideStick, R::Snare, R::Clap}},
    {Secondary(0, YellowPad), {R::Tom, R::HiHatOpen}},
    {Secondary(0, BluePad), {R::Tom, R::Ride}},
    {Secondary(0, BassPedal), {R::HiHatPedal, R::Kick}},
    {Primary(1, BassPedal), {R::Kick, R::HiHatPedal}},
    {Primary(1, RedPad), {R::Snare, R::SideStick, R::Clap}},
    {Primary(1, YellowPad), {R::HiHatOpen, R::HiHatClosed, R::Ride, R::Cymbal}},
    {Primary(1, BluePad), {R::Ride, R::Tom, R::Cymbal}},
    {Primary(1, GreenPad), {R::Crash, R::Cymbal, R::Ride}},
    {Secondary(1, RedPad), {R::Clap, R::Other, R::SideStick}},
    {Secondary(1, YellowPad), {R::Cymbal, R::Other}},
    {Secondary(1, BluePad), {R::Tom, R::Other}},
    {Secondary(1, GreenPad), {R::Cymbal, R::Other}},
    {Secondary(1, BassPedal), {R::Kick, R::Other}},
};

class LayoutBuilder {
 public:
  explicit LayoutBuilder(const std::vector<DrumPiece>& pieces) : m_pieces(pieces), m_used(pieces.size(), false) {
    m_order.resize(pieces.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
      return pieces[static_cast<size_t>(a)].rank < pieces[static_cast<size_t>(b)].rank;
    });
    m_layout.fill(-1);
  }

  KitLayout Build() {
    for (const Wish& wish : kWishes)
      if (IsFirstKitPrimary(wish.sound)) Place(wish.sound, FindWished(wish.roles, false));
    for (const Wish& wish : kWishes)
      if (IsFirstKitPrimary(wish.sound)) Place(wish.sound, FindLeft(wish.sound == Primary(0, BassPedal)));
    for (const Wish& wish : kWishes) Place(wish.sound, FindWished(wish.roles, false));
    for (const Wish& wish : kWishes)
      if (IsFirstKitPrimary(wish.sound)) Place(wish.sound, FindWished(wish.roles, true));
    for (int pad = 0; pad < kPadsPerKit; ++pad) {
      const Pad which = static_cast<Pad>(pad);
      Place(Primary(1, which), m_layout[static_cast<size_t>(Primary(0, which))]);
    }
    return m_layout;
  }

 private:
  static bool IsFirstKitPrimary(int sound) { return sound < kPadsPerKit; }

  // Puts piece on the pad sound when it has none yet.
  void Place(int sound, int piece) {
    int& placed = m_layout[static_cast<size_t>(sound)];
    if (placed >= 0 || piece < 0) return;
    placed = piece;
    m_used[static_cast<size_t>(piece)] = true;
  }

  int FindWished(std::initializer_list<DrumRole> roles, bool reuse) const {
    for (DrumRole role : roles)
      for (int piece : m_order)
        if (m_pieces[static_cast<size_t>(piece)].role == role && (reuse || !m_used[static_cast<size_t>(piece)]))
          return piece;
    return -1;
  }

  // The first piece not on a pad yet; a kick only for the pedal.
  int FindLeft(bool pedal) const {
    for (size_t piece = 0; piece < m_pieces.size(); ++piece)
      if (!m_used[piece] && (pedal || m_pieces[piece].role != DrumRole::Kick)) return static_cast<int>(piece);
    return -1;
  }

  const std::vector<DrumPiece>& m_pieces;
  std::vector<bool> m_used;
  std::vector<int> m_order;  // the pieces by rank, then as listed
  KitLayout m_layout;
};

}  // namespace

KitLayout LayOutKit(const std::vector<DrumPiece>& pieces) { return LayoutBuilder(pieces).Build(); }
