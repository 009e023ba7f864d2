#pragma once
// What the input thread needs to know of the pads to sound a strike, copied
// from the main thread's pad map, assignment and volumes once per frame: a
// change made on a screen reaches the kit by the next frame. Every field is
// an atomic of its own, so the input thread reads without waiting; a strike
// that lands while a frame publishes may see some fields old and some new,
// which is the same as striking just before or just after the change.
// Written on the main thread (Publish), read on the input thread.
#include <atomic>

#include "backline/pads/pad_assignment.h"
#include "backline/pads/pad_map.h"
#include "backline/pads/pad_volumes.h"
#include "backline/pads/velocity_layers.h"

class StrikeTable {
 public:
  StrikeTable();

  // Main thread. live: whether strikes sound now (Free Play and Record).
  void Publish(const PadMap& map, const PadAssignment& assignment, const PadVolumes& volumes, bool live);
  // Main thread: the velocity ranges of the layers that apply with assignment.
  void PublishLayers(const VelocityLayers& layers, const PadAssignment& assignment);

  // Input thread (or any).
  bool Live() const { return m_live.load(std::memory_order_relaxed); }
  // The kits that strike: kits below the number of controllers, or kit 0 alone (its keys) without any.
  bool KitPlays(int kit) const;
  int PadSlotOfButton(int kit, int button) const;
  bool EnablesSecondaries(int padSlot) const;
  bool HasSecondary(int padSlot) const;
  float Volume(int soundSlot) const;
  // The sound slot a strike of the pad sound soundSlot (0..19) at velocity
  // plays: its velocity layer's (PickLayer), or soundSlot itself without layers.
  int SoundSlotFor(int soundSlot, float velocity) const;

 private:
  std::atomic<bool> m_live{false};
  std::atomic<int> m_controllers{0};
  std::atomic<int> m_padSlot[kKits][kPadButtons];
  std::atomic<bool> m_enablesSecondaries[kPadSlots];
  std::atomic<bool> m_hasSecondary[kPadSlots];
  std::atomic<float> m_volume[kVolumeSlots];
  std::atomic<int> m_layerCount[kVolumeSlots];
  std::atomic<float> m_layerMin[kVolumeSlots][kMaxVelocityLayers];
  std::atomic<float> m_layerMax[kVolumeSlots][kMaxVelocityLayers];
};
