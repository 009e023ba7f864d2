#include "backline/pads/strike_table.h"

#include <cassert>

static_assert(std::atomic<float>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the input thread reads the table without locks");

StrikeTable::StrikeTable() {
  for (int kit = 0; kit < kKits; ++kit)
    for (int button = 0; button < kPadButtons; ++button) m_padSlot[kit][button].store(PadSlotOf(kit, button));
  for (int slot = 0; slot < kPadSlots; ++slot) {
    m_enablesSecondaries[slot].store(false);
    m_hasSecondary[slot].store(false);
  }
  for (std::atomic<float>& volume : m_volume) volume.store(1.0f);
  for (std::atomic<int>& count : m_layerCount) count.store(0);
}

void StrikeTable::Publish(const PadMap& map, const PadAssignment& assignment, const PadVolumes& volumes, bool live) {
  m_controllers.store(map.numControllers, std::memory_order_relaxed);
  for (int kit = 0; kit < kKits; ++kit)
    for (int button = 0; button < kPadButtons; ++button)
      m_padSlot[kit][button].store(::PadSlotOfButton(map, kit, button), std::memory_order_relaxed);
  for (int slot = 0; slot < kPadSlots; ++slot) {
    m_enablesSecondaries[slot].store(PadEnablesSecondaries(assignment, slot), std::memory_order_relaxed);
    m_hasSecondary[slot].store(assignment.secondary[slot] >= 0, std::memory_order_relaxed);
  }
  for (int slot = 0; slot < kVolumeSlots; ++slot) m_volume[slot].store(volumes.volume[slot], std::memory_order_relaxed);
  m_live.store(live, std::memory_order_release);
}

bool StrikeTable::KitPlays(int kit) const {
  const int controllers = m_controllers.load(std::memory_order_relaxed);
  return kit >= 0 && kit < kKits && (kit < controllers || (controllers == 0 && kit == 0));
}

int StrikeTable::PadSlotOfButton(int kit, int button) const {
  assert(kit >= 0 && kit < kKits && button >= 0 && button < kPadButtons);
  return m_padSlot[kit][button].load(std::memory_order_relaxed);
}

bool StrikeTable::EnablesSecondaries(int padSlot) const {
  return m_enablesSecondaries[padSlot].load(std::memory_order_relaxed);
}

bool StrikeTable::HasSecondary(int padSlot) const { return m_hasSecondary[padSlot].load(std::memory_order_relaxed); }

float StrikeTable::Volume(int soundSlot) const { return m_volume[soundSlot].load(std::memory_order_relaxed); }

void StrikeTable::PublishLayers(const VelocityLayers& layers, const PadAssignment& assignment) {
  for (int sound = 0; sound < kVolumeSlots; ++sound) {
    const int count = layers.ApplyingCount(assignment, sound);
    for (int layer = 0; layer < count; ++layer) {
      const LayerRange& range = layers.Set(sound).layers[layer].range;
      m_layerMin[sound][layer].store(range.min, std::memory_order_relaxed);
      m_layerMax[sound][layer].store(range.max, std::memory_order_relaxed);
    }
    m_layerCount[sound].store(count, std::memory_order_relaxed);
  }
}

int StrikeTable::SoundSlotFor(int soundSlot, float velocity) const {
  const int count = m_layerCount[soundSlot].load(std::memory_order_relaxed);
  if (count == 0) return soundSlot;
  LayerRange ranges[kMaxVelocityLayers];
  for (int layer = 0; layer < count; ++layer)
    ranges[layer] = {m_layerMin[soundSlot][layer].load(std::memory_order_relaxed),
                     m_layerMax[soundSlot][layer].load(std::memory_order_relaxed)};
  return LayerSoundSlotOf(soundSlot, PickLayer(ranges, count, velocity));
}
