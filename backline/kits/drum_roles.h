#pragma once
// What an instrument of a kit is, told from its name ("Kick Hard 2",
// "Sabian Hat Open", "Pearl Tom Floor", "Snare Rimshot"): the role it can
// play on the pads, which SampleBank category its samples go to, and for a
// tom how high it sounds. Any thread.
#include <string>

#include "backline/pads/sample_bank.h"

enum class DrumRole {
  Kick,
  Snare,
  SideStick,
  Tom,
  HiHatClosed,
  HiHatOpen,
  HiHatPedal,
  Crash,
  Ride,
  Cymbal,
  Clap,
  Other
};

struct DrumPiece {
  DrumRole role = DrumRole::Other;
  // The order pieces of one role are put on pads in: toms from 0 (high)
  // through 1 (middle) and 2 (low) to 3 (floor); other pieces 0, or 1 for a
  // variation of the plain sound (a roll, a choke, a mute, brushes).
  int rank = 0;
};

// The piece an instrument of this name is; Other when the name says nothing
// a drummer would recognise.
DrumPiece PieceOfInstrument(const std::string& name);

// Kick: Kick; snares and side sticks: Snares; toms: TomToms; hi-hats and
// cymbals: Cymbals; claps and the rest: Other.
SampleCategory CategoryOfRole(DrumRole role);
