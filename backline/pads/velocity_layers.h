#pragma once
// Velocity layers: a pad sound (sound slot 0..19) may hold several samples of
// one drum struck from soft to hard, each for a range of velocities (0..1),
// and a strike plays the layer its velocity falls in. A pad sound's layers
// belong to the sample the pad plays (a preset's path for it): they apply
// while the pad sound plays that very sample, and a pad given another sample
// plays that sample alone, as a pad without layers always does. Each layer
// plays from a sound slot of its own (LayerSoundSlotOf), loaded when the
// layers are.
//
// Threads: PickLayer on any; VelocityLayers on the main thread (it loads and
// releases samples); the input thread reads what StrikeTable publishes of it.
#include "backline/pads/pad_assignment.h"

struct LayerRange {
  float min = 0.0f;
  float max = 1.0f;
};

// The layer a strike of velocity plays among count ranges (count >= 1): the
// first whose range holds it, else the nearest (the first of two as near). A
// velocity outside 0..1 counts as its nearer end, NaN as 1. Never allocates.
int PickLayer(const LayerRange* ranges, int count, float velocity);

struct VelocityLayer {
  LayerRange range;
  char path[SampleBank::kFieldSize] = {};  // the layer's sample, a bank path
};

// The layers of one pad sound and the sample they belong to.
struct LayerSet {
  char sample[SampleBank::kFieldSize] = {};  // the pad sound's path they apply with
  int count = 0;                             // 0: the pad sound has no layers
  VelocityLayer layers[kMaxVelocityLayers];
};

// The layer sets of every pad sound, by sound slot: what a layers file holds.
struct PadLayerSets {
  LayerSet sets[kVolumeSlots];
};

class VelocityLayers {
 public:
  // Replaces every set by those of sets and loads each layer's sample into
  // its sound slot; slots no layer uses any more are released. A layer whose
  // sample is not in the bank or cannot be loaded is left out with a log line
  // naming source (the layers file), so its neighbours cover its range.
  void Load(const PadLayerSets& sets, const SampleBank& bank, const char* source);
  // No pad sound has layers any more; their slots are released.
  void Clear();

  // How many layers apply to the pad sound soundSlot (0..19) while its
  // sample is what sounding holds for it: 0 when it has none or plays
  // another sample.
  int ApplyingCount(const PadAssignment& sounding, int soundSlot) const;
  const LayerSet& Set(int soundSlot) const;
  // The sound slot a strike of the pad sound soundSlot at velocity plays:
  // its layer's when layers apply, else soundSlot itself.
  int SoundSlotFor(const PadAssignment& sounding, int soundSlot, float velocity) const;
  // The sets that apply with pads (the others empty): what a preset saved
  // from pads keeps beside it.
  PadLayerSets Applying(const PadAssignment& pads) const;

 private:
  void Release(int soundSlot, int layer);

  PadLayerSets m_sets;
  bool m_slotLoaded[kVolumeSlots][kMaxVelocityLayers] = {};
};
