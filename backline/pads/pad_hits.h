#pragma once
// The hit path, from the input captured this frame to PlaySample: detect new
// hits per kit and button, map each button to its pad slot, choose the
// primary or secondary sound slot and play it at the slot's volume. Main
// thread, once per frame; nothing here allocates, locks or searches.
#include <cstdint>

#include "backline/pads/pad_assignment.h"
#include "backline/pads/pad_map.h"
#include "backline/pads/pad_volumes.h"
#include "basalt/input/input.h"

// Per (kit, button) at kit x 5 + button: 0/1 released/held with edge
// detection, the time of the last hit with the polling method.
struct HitState {
  uint32_t state[kKits * kPadButtons] = {};
};

// The keys that strike kit 0's buttons 0..4: A, S, D, F, X.
extern const unsigned char kKitKeys[kPadButtons];

// Whether button (0..4) of kit (0..1) is struck anew this frame: on the press
// with edge detection (always for the bass pedal); with g_usePollMethod,
// whenever it is down and more than g_hitDelayThreshold ms have passed since
// its last hit. input null: nothing is ever down.
bool DetectPadHit(HitState* hits, const CInput* input, int kit, int button);

// While a bass pedal with the EnableSecondaries function is held, struck pads
// play their secondary samples; kit 1's pedal decides when both have it. With
// neither, secondariesHeld keeps its value.
void UpdateSecondariesModifier(bool* secondariesHeld, const PadAssignment& assignment, const CInput* input);

// Whether a strike of padSlot plays its secondary: only when it has one and
// secondariesHeld is set.
bool ChooseSecondary(const PadAssignment& assignment, int padSlot, bool secondariesHeld);

// Plays the pad slot's primary or secondary sound slot at its volume and
// returns padSlot (the drum set flashes it). For callers that hold pad slots:
// playback and the assign screens' previews.
int StrikePadSlot(int padSlot, bool secondary, const PadVolumes& volumes);

// Maps button of kit to its pad slot and strikes it; returns the pad slot.
int PadHit(const PadMap& map, int kit, int button, bool secondary, const PadVolumes& volumes);

// One struck pad of a frame.
struct PadStrike {
  int kit, button, padSlot;
  bool secondary;
};

// The strikes of one frame, in the order they were played.
struct FrameStrikes {
  PadStrike strikes[kKits * kPadButtons];
  int count = 0;
};

// What the hit path reads besides the input.
struct PadPlayState {
  const PadMap* map;
  const PadAssignment* assignment;
  const PadVolumes* volumes;
  bool secondariesHeld;
};

// Free Play's and recording's scan: kits 0 and 1 (kit 1 only when a second
// controller exists, or when none does) and buttons 0..4 in order; each new
// hit is played. Returns the strikes in out.
void PlayPadHits(HitState* hits, const PadPlayState& play, const CInput* input, FrameStrikes* out);
