#pragma once
// The main thread's strikes (Assign Mode's previews, playback) and what a
// frame shows of all strikes. The kits' and keys' strikes sound on the input
// thread (strike_path.h); both end in a note for the same sound slot at the
// pad's volume shaped by the strike's strength.
#include "backline/pads/pad_assignment.h"
#include "backline/pads/pad_volumes.h"
#include "backline/pads/strike_listener.h"
#include "backline/pads/strike_path.h"
#include "backline/pads/velocity_layers.h"

// What the main thread's strikes play: the samples in the pad sound slots
// (the user's pads, or a recording's while it plays back), their volumes and
// the velocity layers loaded. Borrowed for one call.
struct PadSounds {
  const PadAssignment& sounding;
  const PadVolumes& volumes;
  const VelocityLayers& layers;
};

// Whether a strike of padSlot plays its secondary: only when it has one and
// secondariesHeld is set.
bool ChooseSecondary(const PadAssignment& assignment, int padSlot, bool secondariesHeld);

// Plays the pad slot's primary or secondary sound at its volume shaped by
// velocity (0..1, velocity_curve.h), due at time on the instrument clock,
// through the main thread's note queue; when the pad's sound has velocity
// layers, the layer velocity falls in plays, with the samples sounding
// holds. Returns padSlot (the drum set flashes it). Main thread only.
int StrikePadSlot(int padSlot, bool secondary, const PadSounds& sounds, Basalt::TimeNs time, float velocity);

// The strikes that reached one frame, in the order they were struck: the
// kits' reports, the previews and the events a recording played. It holds as
// many as the kits' report queue, so no report taken from it is lost; as a
// listener it keeps every strike it hears until cleared.
struct FrameStrikes final : StrikeListener {
  static constexpr int kCapacity = static_cast<int>(StrikePath::kReportCapacity);
  StrikeReport strikes[kCapacity];
  int count = 0;

  void Clear() { count = 0; }
  void Add(const StrikeReport& strike) {
    if (count < kCapacity) strikes[count++] = strike;
  }
  void OnStrike(const StrikeReport& strike) override { Add(strike); }
};
